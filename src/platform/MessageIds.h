#pragma once
// Window message numbers shared by every subsystem. Each id has one meaning and one receiving window.
#include <cstdint>

namespace msg {
constexpr std::uint32_t WM_USER = 0x400;

// Worker threads to the main frame.
constexpr std::uint32_t WM_NMS_SCAN_STARTED = 0x4B6;
constexpr std::uint32_t WM_NMS_NEW_DEVICES = 0x4B7;
constexpr std::uint32_t WM_NMS_SCAN_STEP = 0x4B9;
constexpr std::uint32_t WM_NMS_PROGRESS_CANCEL = 0x4BA;
constexpr std::uint32_t WM_NMS_STATUS_TEXT = 0x4BB;
// Applying a group template: the end (also the progress window's Cancel), a progress step (wParam the
// range, lParam the steps), the text of the current setting (in the payload).
constexpr std::uint32_t WM_NMS_TEMPLATE_END = 0x4BC;
constexpr std::uint32_t WM_NMS_TEMPLATE_STEP = 0x4BD;
constexpr std::uint32_t WM_NMS_TEMPLATE_STATUS = 0x4BE;
// The device-password changer: the pass found no managed device (also the frame's own cancel), one
// more device done (wParam the number of devices, lParam 1), the device about to be handled (its text in
// the payload).
constexpr std::uint32_t WM_NMS_PASSWORD_DONE = 0x4C7;
constexpr std::uint32_t WM_NMS_PASSWORD_STEP = 0x4C8;
constexpr std::uint32_t WM_NMS_PASSWORD_TEXT = 0x4C9;
// The AP-set job: Cancel in its progress window, a progress step (wParam the total, lParam the steps), a
// status text (in the payload), and the end of a job whose commit succeeded.
constexpr std::uint32_t WM_NMS_APSET_CANCEL = 0x4C4;
constexpr std::uint32_t WM_NMS_APSET_STEP = 0x4C5;
constexpr std::uint32_t WM_NMS_APSET_TEXT = 0x4C6;
constexpr std::uint32_t WM_NMS_APSET_DONE = 0x4CB;
constexpr std::uint32_t WM_NMS_TRAP_PORT_BUSY = 0x4CA;
constexpr std::uint32_t WM_NMS_SCAN_IP = 0x4F1;
constexpr std::uint32_t WM_NMS_SCAN_DONE = 0x4F2;
constexpr std::uint32_t WM_NMS_CLIENTS_CHANGED = 0x4F3;
constexpr std::uint32_t WM_NMS_POLLING_LOCK = 0x4F4;
constexpr std::uint32_t WM_NMS_POLLING_RESTART = 0x4F5;

// Event log lines for the output bar: wParam the level (system log) or 0 (action log), text in the payload.
constexpr std::uint32_t WM_NMS_SYSLOG_LINE = 0x1A1C;
constexpr std::uint32_t WM_NMS_ACTION_LINE = 0x1A1D;

// Views.
constexpr std::uint32_t WM_GROUP_RELOAD = 0x08D2;
constexpr std::uint32_t WM_TOPOLOGY_RELOAD = 0x0A1E;
// Further worker and window messages of the main frame (firmware and AP-set jobs, the end of a
// polling round, the output-bar clears, the notices), and the save-new-devices dialog's own end message.
constexpr std::uint32_t WM_NMS_FIRMWARE_POS = 0x4BF;
constexpr std::uint32_t WM_NMS_FIRMWARE_TEXT = 0x4C0;
constexpr std::uint32_t WM_NMS_FIRMWARE_STOP = 0x4C1;
constexpr std::uint32_t WM_NMS_FIRMWARE_DONE = 0x4C2;
constexpr std::uint32_t WM_NMS_RESERVED_4C3 = 0x4C3;
constexpr std::uint32_t WM_NMS_POLLING_DONE = 0x4F0;
constexpr std::uint32_t WM_NMS_SAVENEW_DONE = 0x4F6;
constexpr std::uint32_t WM_NMS_SYSLOG_CLEAR = 0x1A1E;
constexpr std::uint32_t WM_NMS_ACTION_CLEAR = 0x1A1F;
constexpr std::uint32_t WM_POPUP_NOTIFY = 0x274D;
constexpr std::uint32_t WM_NMS_RESERVED_2AAD = 0x2AAD;
}  // namespace msg
