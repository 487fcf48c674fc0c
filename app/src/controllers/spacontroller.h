#pragma once

#include <QObject>
#include <QString>

#include "types/telegramparamdef.h"

// Aroma dispenser, colour light and effect illumination. The controller only
// mirrors the control unit's records: every change leaves as a parameter write
// and the properties move when the unit reports the record back.
class SpaController : public QObject
{
    Q_OBJECT
    Q_PROPERTY(telegram_param_def aromaProgram READ aromaProgram NOTIFY aromaProgramChanged)
    Q_PROPERTY(int aromaProgramValue READ aromaProgramValue NOTIFY aromaProgramChanged)
    Q_PROPERTY(int aromaProgramDef READ aromaProgramDef NOTIFY aromaProgramChanged)
    Q_PROPERTY(
        telegram_param_def spaColorProgram READ spaColorProgram NOTIFY spaColorProgramChanged)
    Q_PROPERTY(uint8_t colorLightMode READ colorLightMode NOTIFY spaColorProgramChanged)
    Q_PROPERTY(uint8_t colorLightRed READ colorLightRed NOTIFY spaColorProgramChanged)
    Q_PROPERTY(uint8_t colorLightGreen READ colorLightGreen NOTIFY spaColorProgramChanged)
    Q_PROPERTY(uint8_t colorLightBlue READ colorLightBlue NOTIFY spaColorProgramChanged)
    Q_PROPERTY(
        uint16_t colorLightModeIntensity READ colorLightModeIntensity NOTIFY spaColorProgramChanged)
    Q_PROPERTY(
        uint16_t beautyLightIntensity READ beautyLightIntensity NOTIFY spaColorProgramChanged)
    Q_PROPERTY(
        uint8_t effectIlluminationMode READ effectIlluminationMode NOTIFY effectIlluminationChanged)
    Q_PROPERTY(
        uint8_t effectIlluminationRed READ effectIlluminationRed NOTIFY effectIlluminationChanged)
    Q_PROPERTY(uint8_t effectIlluminationGreen READ effectIlluminationGreen NOTIFY
                   effectIlluminationChanged)
    Q_PROPERTY(
        uint8_t effectIlluminationBlue READ effectIlluminationBlue NOTIFY effectIlluminationChanged)
    Q_PROPERTY(
        bool individualColorLight READ individualColorLight NOTIFY individualColorLightChanged)
    Q_PROPERTY(bool individualEffectIllumination READ individualEffectIllumination NOTIFY
                   individualEffectIlluminationChanged)

public:
    static constexpr quint16 EffectIlluminationParamId = 10046;

    SpaController();

    telegram_param_def aromaProgram() const { return m_aromaProgram; }
    int aromaProgramValue() const { return m_aromaProgramValue; }
    int aromaProgramDef() const { return m_aromaProgramDef; }
    telegram_param_def spaColorProgram() const { return m_spaColorProgram; }
    uint8_t colorLightMode() const;
    uint8_t colorLightRed() const;
    uint8_t colorLightGreen() const;
    uint8_t colorLightBlue() const;
    uint16_t colorLightModeIntensity() const;
    uint16_t beautyLightIntensity() const;
    telegram_param_def effectIllumination() const { return m_effectIllumination; }
    uint8_t effectIlluminationMode() const;
    uint8_t effectIlluminationRed() const;
    uint8_t effectIlluminationGreen() const;
    uint8_t effectIlluminationBlue() const;
    bool individualColorLight() const { return m_individualColorLight; }
    bool individualEffectIllumination() const { return m_individualEffectIllumination; }

    // Aroma level 1..3 <-> code 0x101..0x103; everything else is "off" (0).
    static int32_t aromaCodeFromLevel(int level);
    static int aromaLevelFromCode(int32_t code);

    Q_INVOKABLE void setAromaProgramValue(int32_t level);
    Q_INVOKABLE void setAromaProgramDef(int16_t level);
    Q_INVOKABLE void setColorLightMode(uint8_t colorLightMode, bool individualLightOff = false);
    Q_INVOKABLE void setColorLightModeDef(uint16_t colorLightModeDef);
    Q_INVOKABLE void setColorLightModeIntensity(uint16_t intensityStep);
    Q_INVOKABLE void setBeautyLightIntensity(uint16_t intensityStep);
    Q_INVOKABLE void setColorLightRgb(uint8_t colorLightRed, uint8_t greenValue, uint8_t blueValue);
    Q_INVOKABLE void setEffectIlluminationMode(uint8_t effectIlluminationMode,
                                               bool individualLightOff = false);
    Q_INVOKABLE void setEffectIlluminationRgb(uint8_t red, uint8_t green, uint8_t blue);
    Q_INVOKABLE void setIndividualColorLight(bool individualColorLight);
    Q_INVOKABLE void setIndividualEffectIllumination(bool individualEffectIllumination);
    Q_INVOKABLE QString convertcolorLightMode(uint8_t colorLightMode) const;

public slots:
    void onAromaProgramChanged(telegram_param_def aromaProgram);
    void onSpaColorProgramChanged(telegram_param_def spaColorProgram);
    void onEffectIlluminationChanged(telegram_param_def effectIllumination);

signals:
    void aromaProgramChanged();
    void spaColorProgramChanged();
    void effectIlluminationChanged();
    void individualColorLightChanged();
    void individualEffectIlluminationChanged();
    // Declared for the screens; nothing emits it.
    void aromaSliderEnabledChanged();

private:
    void writeAroma(telegram_param_def record);
    static int32_t withMode(int32_t storedValue, uint8_t mode, bool individualLightOff);
    static int32_t withRgb(int32_t storedValue, uint8_t red, uint8_t green, uint8_t blue);

    telegram_param_def m_aromaProgram;
    int m_aromaProgramValue = 0;
    int m_aromaProgramDef = 0;
    telegram_param_def m_spaColorProgram;
    telegram_param_def m_effectIllumination;
    bool m_individualColorLight = false;
    bool m_individualEffectIllumination = false;
};
