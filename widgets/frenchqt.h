#pragma once

namespace calcaro {

// Qt's own texts (a text box's context menu, a message box's buttons, the names Qt gives screen
// readers for its actions) in French, whatever the system's language: loads Qt's French
// translation, qtbase_fr.qm, from the "translations" folder beside the program (where the
// Windows build ships it), from beside the program, or from Qt's own translations folder. Without
// the file those texts stay as Qt writes them and the game still starts. Call once, before any
// window exists.
void loadQtFrench();

} // namespace calcaro
