#include "frenchqt.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace calcaro {

void loadQtFrench()
{
    auto translator = std::make_unique<QTranslator>();
    const QString beside = QCoreApplication::applicationDirPath();
    for (const QString &folder : {beside + QStringLiteral("/translations"), beside,
                                  QLibraryInfo::path(QLibraryInfo::TranslationsPath)}) {
        if (translator->load(QStringLiteral("qtbase_fr"), folder)) {
            translator->setParent(QCoreApplication::instance()); // lives as long as the application
            QCoreApplication::installTranslator(translator.release());
            return;
        }
    }
}

} // namespace calcaro
