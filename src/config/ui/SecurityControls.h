#pragma once
// The security controls of the Wireless and Default Params pages: the WEP group, the WPA cipher and
// PSK/EAP choice, the pass phrases and the two RADIUS servers, one group shown at a time in one place.
// The page owns the security combo and routes the user's choices to its model; this class moves values
// between the controls and a CApSecurityModel.
#include <wx/choice.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

#include "config/ApSecurityModel.h"
#include "controls/MacEdit.h"

class CSecurityControls {
 public:
  // Builds the controls as children of page and returns the sizer that places them.
  CSecurityControls(wxWindow* page);
  wxSizer* Sizer() const { return sizer_; }

  void Load(const CApSecurityModel& model);
  void Save(CApSecurityModel& model) const;
  void ShowGroup(CApSecurityModel::Group group);
  // The key box after a key size or key type change: emptied, with its new length.
  void ResetKeyBox(const CApSecurityModel& model);
  void Disable();

  wxChoice *encryption, *keyType, *defaultKey;
  wxRadioButton *openSystem, *sharedKey, *tkip, *aes, *psk, *eap;
  CMacEdit* key;
  wxTextCtrl *passPhrase, *confirmed, *radius1Ip, *radius1Port, *radius1Secret, *radius2Ip, *radius2Port,
      *radius2Secret;

 private:
  wxWindow* page_;
  wxSizer* sizer_;
  wxPanel *wep_, *wpa_, *pskPanel_, *eapPanel_;
};
