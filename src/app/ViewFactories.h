#pragma once
// The windows of the main frame's lower pane by view number, and the header bar above them. Each factory
// makes its window as a child of the given splitter. Views that come with later work show a placeholder;
// a real view replaces its placeholder by changing its one row in ViewFactories.cpp.
#include <functional>

class wxWindow;

using ViewFactory = std::function<wxWindow*(wxWindow* parent)>;

// The factory of a view number of the view table; none for numbers without a view.
ViewFactory FindViewFactory(int number);

// The header bar over the device views (list, tree or map chooser and their commands).
wxWindow* CreateHeaderBar(wxWindow* parent);
