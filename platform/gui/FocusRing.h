#pragma once
// A visible mark on the control that has the keyboard focus, for the controls
// whose own look shows none (lists, drop-down boxes, track bars, views).

class QWidget;

namespace focus_ring {

// Starts following the application's focus; once is enough.
void Install();
// The widget the ring is drawn around now (nullptr when none shows).
QWidget* Target();

}  // namespace focus_ring
