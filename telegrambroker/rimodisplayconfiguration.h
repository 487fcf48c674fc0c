#ifndef RIMODISPLAYCONFIGURATION_H
#define RIMODISPLAYCONFIGURATION_H

#include <QString>
#include <QtGlobal>

class QSettings;

// What the configuration controller reports about the fitted displays, and
// how that is reconciled with the display environment file "lcdenv".
// Plain logic: the broker feeds it paragraph answers and a QSettings.
class RimoDisplayConfiguration
{
public:
    static constexpr quint16 ParagraphDualDisplay = 236;
    static constexpr quint16 ParagraphFirstDisplay = 424;
    static constexpr quint16 ParagraphSecondDisplay = 425;
    static constexpr int AllParagraphs = 7;

    // Takes the value byte of one paragraph answer. Returns false for a
    // paragraph number this exchange does not ask for.
    bool applyParagraph(quint16 paragraph, uchar value, uchar dbm);

    // Compares with the stored file and stores what differs. Returns whether
    // anything changed, i.e. whether units and a reboot are due.
    bool updateLcdenv(QSettings& lcdenv) const;

    int paragraphFlags = 0;
    int dualDisplay = 0;
    QString disp0 = QStringLiteral("ET1010");
    QString disp2 = QStringLiteral("ET1010");
    QString disp0LvdsMode = QStringLiteral("spwg");
    QString disp2LvdsMode = QStringLiteral("spwg");
    quint16 displayVariant = 100;
};

#endif // RIMODISPLAYCONFIGURATION_H
