#pragma once

namespace stonewise {

// Makes Qt's own texts (the standard buttons of message boxes, the file dialogs, the context menus
// of text fields) speak the interface language: Japanese, or else English. Installs Qt's
// translation file "qtbase_ja.qm" or "qtbase_en.qm" from Qt's translations folder in place of the
// one installed before; false when the file is not there (Qt then shows its English texts).
// Needs the application object.
bool installQtTranslations(bool japanese);

} // namespace stonewise
