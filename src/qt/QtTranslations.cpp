#include "qt/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace stonewise {

bool installQtTranslations(bool japanese) {
    // The translator lives with the application object; a later call replaces it.
    static QPointer<QTranslator> installed;
    if (installed) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
    }
    auto* translator = new QTranslator(QCoreApplication::instance());
    const QString language = japanese ? QStringLiteral("ja") : QStringLiteral("en");
    if (!translator->load(QStringLiteral("qtbase_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    installed = translator;
    return true;
}

} // namespace stonewise
