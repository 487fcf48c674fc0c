// The language controller lives in a process-wide object that is destroyed
// after the application object at exit. Ending the program after a language
// was installed must stay quiet: no warning from removing the translator of
// an application that is already gone.
#include "controllers/languagecontroller.h"
#include "types/enumproviderclass.h"
#include "types/telegramparamdef.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>
#include <memory>

namespace {
QStringList g_warnings;

void collect(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        g_warnings << message;
}
} // namespace

int main(int argc, char** argv)
{
    auto app = std::make_unique<QCoreApplication>(argc, argv);
    auto controller = std::make_unique<LanguageController>();

    telegram_param_def english;
    english.id = EnumProviderClass::PARAM_LANGUAGE;
    english.value = EnumProviderClass::ENGLISH;
    controller->onSetLanguage(english);
    if (controller->abbreviation() != QLatin1String("EN")) {
        std::fprintf(stderr, "FAIL: the English translation was not installed\n");
        return 1;
    }

    qInstallMessageHandler(collect);
    app.reset();
    controller.reset();
    qInstallMessageHandler(nullptr);

    if (!g_warnings.isEmpty()) {
        std::fprintf(stderr, "FAIL: warnings at exit:\n%s\n",
                     qPrintable(g_warnings.join(QLatin1Char('\n'))));
        return 1;
    }
    std::printf("PASS: the language controller ends quietly after the application\n");
    return 0;
}
