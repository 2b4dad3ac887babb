// The system beep that a refused keystroke gives. Qt's browser platform leaves
// QApplication::beep() silent, so there the page plays a short tone of its own.
#pragma once

void Pitido();
