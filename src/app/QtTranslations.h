#pragma once

class QCoreApplication;

namespace lumetra {

// Qt's own texts (file dialogs, standard buttons, text field menus) in Traditional Chinese, like the
// rest of the program. True when Qt's translations were found.
bool installQtTranslations(QCoreApplication &application);

} // namespace lumetra
