#include "rimodisplayconfiguration.h"

#include <QDebug>
#include <QSettings>

namespace {

const QString Et0700 = QStringLiteral("ET0700");
const QString Et1010 = QStringLiteral("ET1010");
const QString Jeida = QStringLiteral("jeida");
const QString Spwg = QStringLiteral("spwg");

void logDisplayLine(uchar dbm, uchar value, int dualDisplay)
{
    qDebug() << "Databyte marker: " << dbm
             << "External display: " << (value == 100 ? "true" : "false")
             << " dualdisplay: " << dualDisplay;
}

} // namespace

bool RimoDisplayConfiguration::applyParagraph(quint16 paragraph, uchar value, uchar dbm)
{
    switch (paragraph) {
    case ParagraphDualDisplay:
        dualDisplay = value == 1 ? 1 : 0;
        paragraphFlags |= 1;
        return true;
    case ParagraphFirstDisplay:
        logDisplayLine(dbm, value, dualDisplay);
        if (dualDisplay == 1 && value == 100) {
            disp0 = Et1010;
            disp0LvdsMode = Spwg;
        } else {
            disp0 = Et0700;
            disp0LvdsMode = Jeida;
        }
        paragraphFlags |= 2;
        return true;
    case ParagraphSecondDisplay:
        logDisplayLine(dbm, value, dualDisplay);
        if (value == 1 && dualDisplay == 1) {
            disp2 = Et0700;
            disp2LvdsMode = Jeida;
        } else if (value == 100 && dualDisplay == 1) {
            disp2 = Et1010;
            disp2LvdsMode = Spwg;
            displayVariant = 100;
        } else if (value == 100 && dualDisplay == 0 && dbm == 1) {
            disp0 = Et1010;
            disp0LvdsMode = Spwg;
            displayVariant = 100;
        } else if ((value == 101 || value == 102) && dualDisplay == 0 && dbm == 1) {
            disp2 = Et1010;
            disp2LvdsMode = Spwg;
            displayVariant = value;
        } else {
            disp2 = Et1010;
            disp2LvdsMode = Spwg;
            displayVariant = 100;
        }
        paragraphFlags |= 4;
        return true;
    default:
        return false;
    }
}

bool RimoDisplayConfiguration::updateLcdenv(QSettings& lcdenv) const
{
    bool changed = false;
    const QVariant storedVariant = lcdenv.value(QStringLiteral("displayVariant"));
    if (storedVariant.isValid() && storedVariant.toInt() == displayVariant) {
        lcdenv.setValue(QStringLiteral("displayVariant"), displayVariant);
        if (lcdenv.value(QStringLiteral("dualdisplay")).toInt() != dualDisplay &&
            displayVariant != 101 && displayVariant != 102) {
            lcdenv.setValue(QStringLiteral("dualdisplay"), dualDisplay);
            changed = true;
        }
    } else {
        // A new variant always starts from a dual-display file.
        lcdenv.setValue(QStringLiteral("dualdisplay"), 1);
        lcdenv.setValue(QStringLiteral("displayVariant"), displayVariant);
        changed = true;
    }
    qDebug() << "DISPLAY TYPE: " << displayVariant
             << "| dualdisplay in config: " << lcdenv.value(QStringLiteral("dualdisplay")).toInt();

    const QList<QPair<QString, QString>> wanted = {
        {QStringLiteral("disp0"), disp0},
        {QStringLiteral("disp2"), disp2},
        {QStringLiteral("fbcon"), QString()},
        {QStringLiteral("disp0_lvdsmode"), disp0LvdsMode},
        {QStringLiteral("disp2_lvdsmode"), disp2LvdsMode}};
    for (const auto& key : wanted) {
        // A missing key reads as the empty string, like an empty "fbcon".
        if (lcdenv.value(key.first).toString() != key.second) {
            lcdenv.setValue(key.first, key.second);
            changed = true;
        }
    }
    return changed;
}
