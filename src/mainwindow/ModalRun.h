#pragma once

class QWidget;

namespace ModalRun {
// Shows `window` modally and returns when it is hidden again: dialogs through their own loop,
// plain windows through a local one.
void exec(QWidget* window);
} // namespace ModalRun
