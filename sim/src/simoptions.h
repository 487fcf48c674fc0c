#ifndef SIMOPTIONS_H
#define SIMOPTIONS_H

#include <QString>
#include <QStringList>

namespace bussim {

// Command-line settings of the simulator. Paths are already resolved below
// VANTO_ROOT when they come from the defaults.
struct SimOptions
{
    int dbm = 0;
    int appliance = 1;
    int paragraph236 = 0;   // second display fitted: 1
    int paragraph424 = 1;   // first display
    int paragraph425 = 100; // second display / variant
    qint64 switches = -1;   // set-up switches; -1 keeps the built-in value
    int sessionCode = 0;
    int setupCode = 1234;
    int bootMs = 500;
    int referenceMs = 3000;
    int stopMs = 1000;
    int keepAliveMs = 1000;
    int identDelayMs = 1000;
    int ackTimeoutMs = 20;
    bool identRequests = true;
    QString ttyPath;
    QString socketPath;
    QString logPath;
    QString musicPath;
    QStringList sendLines; // client mode: lines for a running simulator

    // Fills the options from the arguments (without the program name). On a
    // bad argument returns false with a reason; --help sets *help.
    bool parse(const QStringList& arguments, QString* error, bool* help);
    static QString helpText();
    static SimOptions withDefaults();
};

} // namespace bussim

#endif // SIMOPTIONS_H
