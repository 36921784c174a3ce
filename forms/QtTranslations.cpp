// Qt's German translations, chosen by name rather than by the locale.
#include "forms/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace glossel::forms {
namespace {

// The German texts of the widgets and dialogs the program uses.
constexpr char kGermanQtTexts[] = "qtbase_de";

}  // namespace

bool installGermanQtTexts(QCoreApplication& application) {
    auto* translator = new QTranslator(&application);
    if (!translator->load(kGermanQtTexts, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace glossel::forms
