#include "spacontroller.h"

#include "core/telegrammanager.h"
#include "types/enumproviderclass.h"

#include <QDebug>

namespace {

uint8_t byteOf(int32_t value, int byteIndex)
{
    return static_cast<uint8_t>((static_cast<quint32>(value) >> (8 * byteIndex)) & 0xFF);
}

} // namespace

SpaController::SpaController() = default;

uint8_t SpaController::colorLightMode() const
{
    return byteOf(m_spaColorProgram.value, 0);
}
uint8_t SpaController::colorLightRed() const
{
    return byteOf(m_spaColorProgram.value, 1);
}
uint8_t SpaController::colorLightGreen() const
{
    return byteOf(m_spaColorProgram.value, 2);
}
uint8_t SpaController::colorLightBlue() const
{
    return byteOf(m_spaColorProgram.value, 3);
}
uint16_t SpaController::colorLightModeIntensity() const
{
    return m_spaColorProgram.step;
}
uint16_t SpaController::beautyLightIntensity() const
{
    return m_spaColorProgram.divider;
}
uint8_t SpaController::effectIlluminationMode() const
{
    return byteOf(m_effectIllumination.value, 0);
}
uint8_t SpaController::effectIlluminationRed() const
{
    return byteOf(m_effectIllumination.value, 1);
}
uint8_t SpaController::effectIlluminationGreen() const
{
    return byteOf(m_effectIllumination.value, 2);
}
uint8_t SpaController::effectIlluminationBlue() const
{
    return byteOf(m_effectIllumination.value, 3);
}

int32_t SpaController::aromaCodeFromLevel(int level)
{
    if (level >= 1 && level <= 3)
        return 0x100 + level;
    return EnumProviderClass::SPA_AROMA_VALUE_0;
}

int SpaController::aromaLevelFromCode(int32_t code)
{
    switch (code) {
    case EnumProviderClass::SPA_AROMA_VALUE_1:
        return 1;
    case EnumProviderClass::SPA_AROMA_VALUE_2:
        return 2;
    case EnumProviderClass::SPA_AROMA_VALUE_3:
        return 3;
    default:
        return 0;
    }
}

int32_t SpaController::withMode(int32_t storedValue, uint8_t mode, bool individualLightOff)
{
    if (individualLightOff)
        return mode;
    return static_cast<int32_t>((static_cast<quint32>(storedValue) & 0xFFFFFF00u) | mode);
}

int32_t SpaController::withRgb(int32_t storedValue, uint8_t red, uint8_t green, uint8_t blue)
{
    const quint32 v = (static_cast<quint32>(storedValue) & 0xFFu) | (quint32(red) << 8) |
                      (quint32(green) << 16) | (quint32(blue) << 24);
    return static_cast<int32_t>(v);
}

void SpaController::writeAroma(telegram_param_def record)
{
    record.id = EnumProviderClass::PARAM_SPA_AROMA_PROGRAM;
    TelegramManager::instance()->writeParam(record);
}

void SpaController::setAromaProgramValue(int32_t level)
{
    telegram_param_def record = m_aromaProgram;
    record.value = aromaCodeFromLevel(level);
    writeAroma(record);
}

void SpaController::setAromaProgramDef(int16_t level)
{
    telegram_param_def record = m_aromaProgram;
    const int32_t code = aromaCodeFromLevel(level);
    qDebug().nospace().noquote() << "Was stegt da: " << level << " | : " << code;
    record.def = static_cast<quint16>(code);
    writeAroma(record);
}

void SpaController::setColorLightMode(uint8_t colorLightMode, bool individualLightOff)
{
    if (colorLightMode == this->colorLightMode())
        return;
    telegram_param_def record = m_spaColorProgram;
    record.id = EnumProviderClass::PARAM_SPA_COLOR_PROGRAM;
    record.value = withMode(record.value, colorLightMode, individualLightOff);
    TelegramManager::instance()->writeParam(record);
}

void SpaController::setColorLightModeDef(uint16_t colorLightModeDef)
{
    telegram_param_def record = m_spaColorProgram;
    record.id = EnumProviderClass::PARAM_SPA_COLOR_PROGRAM;
    record.def = colorLightModeDef;
    TelegramManager::instance()->writeParam(record);
}

void SpaController::setColorLightModeIntensity(uint16_t intensityStep)
{
    telegram_param_def record = m_spaColorProgram;
    record.id = EnumProviderClass::PARAM_SPA_COLOR_PROGRAM;
    record.step = intensityStep;
    TelegramManager::instance()->writeParam(record);
}

void SpaController::setBeautyLightIntensity(uint16_t intensityStep)
{
    telegram_param_def record = m_spaColorProgram;
    record.id = EnumProviderClass::PARAM_SPA_COLOR_PROGRAM;
    record.divider = intensityStep;
    TelegramManager::instance()->writeParam(record);
}

void SpaController::setColorLightRgb(uint8_t colorLightRed, uint8_t greenValue, uint8_t blueValue)
{
    telegram_param_def record = m_spaColorProgram;
    record.id = EnumProviderClass::PARAM_SPA_COLOR_PROGRAM;
    record.value = withRgb(record.value, colorLightRed, greenValue, blueValue);
    TelegramManager::instance()->writeParam(record);
}

void SpaController::setEffectIlluminationMode(uint8_t effectIlluminationMode,
                                              bool individualLightOff)
{
    if (effectIlluminationMode == this->effectIlluminationMode())
        return;
    telegram_param_def record = m_effectIllumination;
    record.id = EffectIlluminationParamId;
    record.value = withMode(record.value, effectIlluminationMode, individualLightOff);
    TelegramManager::instance()->writeParam(record);
}

void SpaController::setEffectIlluminationRgb(uint8_t red, uint8_t green, uint8_t blue)
{
    telegram_param_def record = m_effectIllumination;
    record.id = EffectIlluminationParamId;
    record.value = withRgb(record.value, red, green, blue);
    TelegramManager::instance()->writeParam(record);
}

void SpaController::setIndividualColorLight(bool individualColorLight)
{
    m_individualColorLight = individualColorLight;
    emit individualColorLightChanged();
}

void SpaController::setIndividualEffectIllumination(bool individualEffectIllumination)
{
    m_individualEffectIllumination = individualEffectIllumination;
    emit individualEffectIlluminationChanged();
}

QString SpaController::convertcolorLightMode(uint8_t colorLightMode) const
{
    switch (colorLightMode) {
    case EnumProviderClass::COLOR_PROGRAM_RED:
        return QObject::tr("Recharge");
    case EnumProviderClass::COLOR_PROGRAM_GREEN:
        return QObject::tr("Relax");
    case EnumProviderClass::COLOR_PROGRAM_BLUE:
        return QObject::tr("Activate");
    case EnumProviderClass::COLOR_PROGRAM_RAINBOW:
        return QObject::tr("Rainbow");
    case EnumProviderClass::COLOR_PROGRAM_BEAUTY_LIGHT:
        return QObject::tr("Beauty Light");
    case EnumProviderClass::COLOR_PROGRAM_OFF:
    default:
        return QObject::tr("Aus");
    }
}

void SpaController::onAromaProgramChanged(telegram_param_def aromaProgram)
{
    const bool changed = !aromaProgram.sameContent(m_aromaProgram);
    m_aromaProgram = aromaProgram;
    if (!changed)
        return;
    m_aromaProgramValue = aromaLevelFromCode(aromaProgram.value);
    m_aromaProgramDef = aromaLevelFromCode(aromaProgram.def);
    emit aromaProgramChanged();
}

void SpaController::onSpaColorProgramChanged(telegram_param_def spaColorProgram)
{
    m_spaColorProgram = spaColorProgram;
    emit spaColorProgramChanged();
}

void SpaController::onEffectIlluminationChanged(telegram_param_def effectIllumination)
{
    m_effectIllumination = effectIllumination;
    emit effectIlluminationChanged();
}
