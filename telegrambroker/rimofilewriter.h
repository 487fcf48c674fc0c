#ifndef RIMOFILEWRITER_H
#define RIMOFILEWRITER_H

#include <QByteArray>
#include <QObject>
#include <QString>

// Writes the systemd units of the GUI program and of the two display
// programs. The texts are built by the static functions so that they can be
// compared byte for byte without touching the file system.
class RimoFilewriter : public QObject
{
    Q_OBJECT
public:
    explicit RimoFilewriter(QObject* parent = nullptr);

    // Each returns whether its file could be opened for writing.
    bool writeVantoService();
    bool writeInternalService(bool dualDisplay, bool dbmIs2);
    bool writeExternalService(bool dualDisplay, bool dbmIs2, quint16 variant);

    static QByteArray vantoServiceText();
    static QByteArray internalServiceText(bool dualDisplay, bool dbmIs2);
    static QByteArray externalServiceText(bool dualDisplay, bool dbmIs2, quint16 variant);

private:
    static bool writeFile(const QString& absolutePath, const QByteArray& text,
                          const char* failureMessage);
};

#endif // RIMOFILEWRITER_H
