#include "massagecontroller.h"

#include "controllers/devicecontroller.h"
#include "controllers/quickstartbuttoninfomodel.h"
#include "core/applicationcontroller.h"
#include "core/telegrammanager.h"

namespace {

constexpr qint32 kInvalidInt32 = 2147483647;

bool storeRecord(telegram_param_def& stored, const telegram_param_def& reported)
{
    const bool changed = !stored.sameContent(reported);
    stored = reported;
    return changed;
}

} // namespace

MassageController::MassageController()
{
    // Nothing recorded yet: positions -1, the byte fields all bits set.
    m_recordClinicStep.eventTime = -1;
    m_recordClinicStep.massageKind = -1;
    m_recordClinicStep.motor1Position = -1;
    m_recordClinicStep.motor2Position = -1;
    m_recordClinicStep.motor3Position = -1;
    m_recordClinicStep.nozzlePressure = -1;
    m_recordClinicStep.nozzleSpeed = -1;
    m_recordClinicStep.bodyArea = -1;
    m_recordClinicStep.massageTechnic = -1;
    m_recordClinicStep.recordAct = -1;
}

void MassageController::setGetSetMassageTime(const QString& text)
{
    if (m_getSetMassageTime == text)
        return;
    m_getSetMassageTime = text;
    emit setMassageTimeChanged();
}

// --- parameter writes ------------------------------------------------------

void MassageController::writeValue(telegram_param_def record, EnumProviderClass::PARAM_ID id,
                                   int32_t value, Flag2 flag2)
{
    record.id = quint16(id);
    record.value = value;
    if (flag2 == Flag2::Set)
        record.message2 = 1;
    TelegramManager::instance()->writeParam(record);
}

void MassageController::writeAction(telegram_param_def record, EnumProviderClass::PARAM_ID id,
                                    EnumProviderClass::ACTION action, Flag2 flag2)
{
    record.id = quint16(id);
    record.action = quint8(action);
    if (flag2 == Flag2::Set)
        record.message2 = 1;
    TelegramManager::instance()->writeParam(record);
}

void MassageController::writeDef(telegram_param_def record, EnumProviderClass::PARAM_ID id,
                                 uint16_t def, Flag2 flag2)
{
    record.id = quint16(id);
    record.def = def;
    if (flag2 == Flag2::Set)
        record.message2 = 1;
    TelegramManager::instance()->writeParam(record);
}

void MassageController::setNozzlePressureValue(int32_t value)
{
    writeValue(m_nozzlePressure, EnumProviderClass::PARAM_NOZZLE_PRESSURE, value, Flag2::Set);
}

void MassageController::setNozzlePressure(EnumProviderClass::ACTION action)
{
    writeAction(m_nozzlePressure, EnumProviderClass::PARAM_NOZZLE_PRESSURE, action, Flag2::Set);
}

void MassageController::setNozzlePressureAtStartValue(int32_t value)
{
    writeValue(m_nozzlePressureAtStart, EnumProviderClass::PARAM_NOZZLE_PRESSURE_AT_START, value);
}

void MassageController::setNozzlePressureAtStart(EnumProviderClass::ACTION action)
{
    writeAction(m_nozzlePressureAtStart, EnumProviderClass::PARAM_NOZZLE_PRESSURE_AT_START, action);
}

void MassageController::setNozzlePressureMaxValue(int32_t value)
{
    writeValue(m_nozzlePressureMax, EnumProviderClass::PARAM_NOZZLE_PRESSURE_MAX, value);
}

void MassageController::setNozzlePressureMax(EnumProviderClass::ACTION action)
{
    writeAction(m_nozzlePressureMax, EnumProviderClass::PARAM_NOZZLE_PRESSURE_MAX, action);
}

void MassageController::setNozzleSpeedValue(int32_t value)
{
    writeValue(m_nozzleSpeed, EnumProviderClass::PARAM_NOZZLE_SPEED, value, Flag2::Set);
}

void MassageController::setNozzleSpeed(EnumProviderClass::ACTION action)
{
    writeAction(m_nozzleSpeed, EnumProviderClass::PARAM_NOZZLE_SPEED, action, Flag2::Set);
}

void MassageController::setNozzleSpeedDefValue(int16_t def)
{
    writeDef(m_nozzleSpeed, EnumProviderClass::PARAM_NOZZLE_SPEED, uint16_t(def), Flag2::Set);
}

void MassageController::setBodySize(int32_t value)
{
    // The unit works in centimetres; with imperial units the screen gives inches.
    const int32_t cm =
        ApplicationController::instance()->deviceController().convertUnitOfLengthToController(
            value);
    writeValue(m_bodySize, EnumProviderClass::PARAM_BODY_SIZE, cm, Flag2::Set);
}

void MassageController::setBodySizeDef(int16_t def)
{
    const int32_t cm =
        ApplicationController::instance()->deviceController().convertUnitOfLengthToController(def);
    writeDef(m_bodySize, EnumProviderClass::PARAM_BODY_SIZE, uint16_t(cm), Flag2::Set);
}

void MassageController::setMassageTimeValue(int32_t seconds)
{
    writeValue(m_massageTime, EnumProviderClass::PARAM_MASSAGE_TIME, seconds);
}

void MassageController::setMassageTime(EnumProviderClass::ACTION action)
{
    writeAction(m_massageTime, EnumProviderClass::PARAM_MASSAGE_TIME, action);
}

void MassageController::setBodyArea(EnumProviderClass::BODY_AREA area)
{
    writeValue(m_bodyArea, EnumProviderClass::PARAM_BODY_AREA, int32_t(area), Flag2::Set);
}

void MassageController::setBodyAreaDef(EnumProviderClass::BODY_AREA area)
{
    writeDef(m_bodyArea, EnumProviderClass::PARAM_BODY_AREA, uint16_t(area));
}

void MassageController::setBackgroundReplayTime(int32_t value)
{
    writeValue(m_backgroundReplayTime, EnumProviderClass::PARAM_BACKGROUND_REPLAY_TIME, value,
               Flag2::Set);
}

void MassageController::setBackgroundProgram(EnumProviderClass::BACKGROUND_PROGRAM program)
{
    writeValue(m_backgroundProgram, EnumProviderClass::PARAM_BACKGROUND_PROGRAM, int32_t(program));
}

void MassageController::setMassageProgram(EnumProviderClass::MASSAGE_PROGRAM program)
{
    writeValue(m_massageProgram, EnumProviderClass::PARAM_MASSAGE_PROGRAM, int32_t(program),
               Flag2::Set);
}

void MassageController::setMassageProgramDef(EnumProviderClass::MASSAGE_PROGRAM program)
{
    writeDef(m_massageProgram, EnumProviderClass::PARAM_MASSAGE_PROGRAM, uint16_t(program));
}

void MassageController::setTemperatureUnit(EnumProviderClass::TEMPERATURE_UNIT unit)
{
    writeValue(m_temperatureUnit, EnumProviderClass::PARAM_TEMPERATURE_UNIT, int32_t(unit));
}

void MassageController::setMassageType(EnumProviderClass::MASSAGE_TYPE type)
{
    writeValue(m_massageType, EnumProviderClass::PARAM_MASSAGE_TYPE, int32_t(type), Flag2::Set);
}

void MassageController::setMotorPos1(int32_t value)
{
    writeValue(m_currentMotorPosition1, EnumProviderClass::PARAM_CURRENT_MOTOR_1_POSITION, value);
}

void MassageController::setMotorPos2(int32_t value)
{
    writeValue(m_currentMotorPosition2, EnumProviderClass::PARAM_CURRENT_MOTOR_2_POSITION, value);
}

void MassageController::setMotorPos3(int32_t value)
{
    writeValue(m_currentMotorPosition3, EnumProviderClass::PARAM_CURRENT_MOTOR_3_POSITION, value);
}

void MassageController::setRequestedMotorPos1Value(int32_t value)
{
    writeValue(m_requestedMotorPosition1, EnumProviderClass::PARAM_REQUESTED_MOTOR_1_POSITION,
               value);
}

void MassageController::setRequestedMotorPos1(EnumProviderClass::ACTION action)
{
    writeAction(m_requestedMotorPosition1, EnumProviderClass::PARAM_REQUESTED_MOTOR_1_POSITION,
                action);
}

void MassageController::setRequestedMotorPos2Value(int32_t value)
{
    writeValue(m_requestedMotorPosition2, EnumProviderClass::PARAM_REQUESTED_MOTOR_2_POSITION,
               value);
}

void MassageController::setRequestedMotorPos2(EnumProviderClass::ACTION action)
{
    writeAction(m_requestedMotorPosition2, EnumProviderClass::PARAM_REQUESTED_MOTOR_2_POSITION,
                action);
}

void MassageController::setRequestedMotorPos3Value(int32_t value)
{
    writeValue(m_requestedMotorPosition3, EnumProviderClass::PARAM_REQUESTED_MOTOR_3_POSITION,
               value);
}

void MassageController::setRequestedMotorPos3(EnumProviderClass::ACTION action)
{
    writeAction(m_requestedMotorPosition3, EnumProviderClass::PARAM_REQUESTED_MOTOR_3_POSITION,
                action);
}

void MassageController::setShoulderWidth(EnumProviderClass::SHOULDER_WIDTH width)
{
    writeValue(m_shoulderWidth, EnumProviderClass::PARAM_SHOULDER_WIDTH, int32_t(width));
}

void MassageController::setShoulderWidthDef(EnumProviderClass::SHOULDER_WIDTH width)
{
    writeDef(m_shoulderWidth, EnumProviderClass::PARAM_SHOULDER_WIDTH, uint16_t(width));
}

void MassageController::setMaxMassageTimeValue(int32_t value)
{
    writeValue(m_maxMassageTime, EnumProviderClass::PARAM_MASSAGE_TIME_MAXIMUM, value);
}

void MassageController::setMaxMassageTime(EnumProviderClass::ACTION action)
{
    writeAction(m_maxMassageTime, EnumProviderClass::PARAM_MASSAGE_TIME_MAXIMUM, action);
}

void MassageController::setLockedMassageTimeValue(int32_t value)
{
    writeValue(m_lockedMassageTime, EnumProviderClass::PARAM_MASSAGE_TIME_LOCK, value);
}

void MassageController::setLockedMassageTime(EnumProviderClass::ACTION action)
{
    writeAction(m_lockedMassageTime, EnumProviderClass::PARAM_MASSAGE_TIME_LOCK, action);
}

void MassageController::setPauseMode(EnumProviderClass::PAUSE_MODE mode)
{
    writeValue(m_pauseMode, EnumProviderClass::PARAM_PAUSE_MODE, int32_t(mode));
}

void MassageController::requestValues()
{
    TelegramManager::instance()->requestMainControlParam(
        quint16(EnumProviderClass::PARAM_NOZZLE_SPEED));
}

// --- view state ------------------------------------------------------------

void MassageController::setHoldPositionActive(bool active)
{
    if (m_holdPositionActive == active)
        return;
    m_holdPositionActive = active;
    emit holdPositionActiveChanged();
}

void MassageController::setBodyAreaOldVal(EnumProviderClass::BODY_AREA area)
{
    m_bodyAreaOldVal = area;
}

void MassageController::setBackgroundProgramOldVal(EnumProviderClass::BACKGROUND_PROGRAM program)
{
    m_backgroundProgramOldVal = program;
}

void MassageController::setHoldPositionActiveOldVal(bool active)
{
    m_holdPositionActiveOldVal = active;
}

void MassageController::setStartWithIndividualMassageView(bool start)
{
    m_startWithIndividualMassageView = start;
}

// --- receiving parameters --------------------------------------------------

void MassageController::onNozzlePressureChanged(telegram_param_def record)
{
    const bool maxChanged = m_nozzlePressure.max != record.max;
    if (!storeRecord(m_nozzlePressure, record))
        return;
    // The pressure selector is rebuilt from max before the value moves.
    if (maxChanged)
        emit nozzlePressureStructMaxChanged();
    emit nozzlePressureChanged();
}

void MassageController::onNozzleSpeedChanged(telegram_param_def record)
{
    const bool maxChanged = m_nozzleSpeed.max != record.max;
    if (!storeRecord(m_nozzleSpeed, record))
        return;
    if (maxChanged)
        emit nozzleSpeedMaxChanged();
    emit nozzleSpeedChanged();
}

void MassageController::onBodyAreaChanged(telegram_param_def record)
{
    const bool changed = storeRecord(m_bodyArea, record);
    setHoldPositionActive(record.value == int32_t(EnumProviderClass::POINT));
    if (changed)
        emit bodyAreaChanged();
}

#define VANTO_PARAM_SLOT(Slot, member, signal)                                                     \
    void MassageController::Slot(telegram_param_def record)                                        \
    {                                                                                              \
        if (storeRecord(member, record))                                                           \
            emit signal();                                                                         \
    }

VANTO_PARAM_SLOT(onNozzlePressureAtStartChanged, m_nozzlePressureAtStart,
                 nozzlePressureAtStartChanged)
VANTO_PARAM_SLOT(onNozzlePressureMaxChanged, m_nozzlePressureMax, nozzlePressureMaxChanged)
VANTO_PARAM_SLOT(onBodySizeChanged, m_bodySize, bodySizeChanged)
VANTO_PARAM_SLOT(onMassageTimeChanged, m_massageTime, massageTimeChanged)
VANTO_PARAM_SLOT(onBackgroundReplayTimeChanged, m_backgroundReplayTime, backgroundReplayTimeChanged)
VANTO_PARAM_SLOT(onBackgroundProgramChanged, m_backgroundProgram, backgroundProgramChanged)
VANTO_PARAM_SLOT(onMassageProgramChanged, m_massageProgram, massageProgramChanged)
VANTO_PARAM_SLOT(onTemperatureUnitChanged, m_temperatureUnit, temperatureUnitChanged)
VANTO_PARAM_SLOT(onMassageTypeChanged, m_massageType, massageTypeChanged)
VANTO_PARAM_SLOT(onRequestedMotorPos1Changed, m_requestedMotorPosition1, requestedMotorPos1Changed)
VANTO_PARAM_SLOT(onRequestedMotorPos2Changed, m_requestedMotorPosition2, requestedMotorPos2Changed)
VANTO_PARAM_SLOT(onRequestedMotorPos3Changed, m_requestedMotorPosition3, requestedMotorPos3Changed)
VANTO_PARAM_SLOT(onMotor1ReferenceResultChanged, m_motor1ReferenceResult,
                 motor1ReferenceResultChanged)
VANTO_PARAM_SLOT(onMotor2ReferenceResultChanged, m_motor2ReferenceResult,
                 motor2ReferenceResultChanged)
VANTO_PARAM_SLOT(onMotor3ReferenceResultChanged, m_motor3ReferenceResult,
                 motor3ReferenceResultChanged)
VANTO_PARAM_SLOT(onShoulderWidthChanged, m_shoulderWidth, shoulderWidthChanged)
VANTO_PARAM_SLOT(onMaxMassageTimeChanged, m_maxMassageTime, maxMassageTimeChanged)
VANTO_PARAM_SLOT(onLockedMassageTimeChanged, m_lockedMassageTime, lockedMassageTimeChanged)
VANTO_PARAM_SLOT(onPauseModeChanged, m_pauseMode, pauseModeChanged)

#undef VANTO_PARAM_SLOT

// Motor positions are animated live, so every report is passed on.
void MassageController::onMotorPos1Changed(telegram_param_def record)
{
    m_currentMotorPosition1 = record;
    emit currentMotorPos1Changed();
}

void MassageController::onMotorPos2Changed(telegram_param_def record)
{
    if (record.value == kInvalidInt32)
        record.value = 0;
    m_currentMotorPosition2 = record;
    emit currentMotorPos2Changed();
}

void MassageController::onMotorPos3Changed(telegram_param_def record)
{
    if (record.value == kInvalidInt32)
        record.value = 0;
    m_currentMotorPosition3 = record;
    emit currentMotorPos3Changed();
}

void MassageController::onRecordClinicStepChanged(record_clinic_step step)
{
    if (m_recordClinicStep == step)
        return;
    m_recordClinicStep = step;
    emit recordClinicStepChanged();
}

// --- display conversions ---------------------------------------------------

bool MassageController::isClinic() const
{
    return ApplicationController::instance()->deviceController().applianceType() ==
           EnumProviderClass::CLINIC;
}

QString MassageController::convertBodyArea(int32_t bodyArea) const
{
    const bool clinic = isClinic();
    switch (bodyArea) {
    case 1:
        return QObject::tr("Schulter-Massage");
    case 2:
        return QObject::tr("Lenden-Massage");
    case 3:
        return QObject::tr("Bein-Massage");
    case 4:
        return QObject::tr("Ganzkörper-Massage");
    case 5:
        return QObject::tr("Rücken-Massage");
    case 6:
        return QObject::tr("Punkt-Massage");
    case 50:
        return clinic ? QObject::tr("Beine Massageprogramm") : QObject::tr("Fitte Beine");
    case 51:
        return clinic ? QObject::tr("Rücken Massageprogramm") : QObject::tr("Gesunder Rücken");
    case 52:
        return clinic ? QObject::tr("Ganzkörper Massageprogramm") : QObject::tr("Pure Entspannung");
    case 53:
        return clinic ? QObject::tr("Schulter Massageprogramm") : QObject::tr("Starke Schultern");
    case 54:
        return clinic ? QString() : QObject::tr("Muntermacher");
    case 100:
        return QObject::tr("Ganzkörper Punktmassage");
    case 101:
        return QObject::tr("Rücken Punktmassage");
    case 102:
        return QObject::tr("Schulter Punktmassage");
    case 103:
        return QObject::tr("Lenden Punktmassage");
    case 104:
        return QObject::tr("Bein Punktmassage");
    case 105:
        return QObject::tr("Oberschenkel Punktmassage");
    case 106:
        return QObject::tr("Ganzkörper Lymphmassage");
    case 107:
        return QObject::tr("Bein Lymphmassage");
    case 108:
        return QObject::tr("Oberschenkel Lymphmassage");
    default:
        return QString();
    }
}

QString MassageController::convertBackgroundProgram(int32_t backgroundProgram) const
{
    const bool clinic = isClinic();
    switch (backgroundProgram) {
    case 1:
        return clinic ? QObject::tr("Beine Massageprogramm") : QObject::tr("Fitte Beine");
    case 2:
        return clinic ? QObject::tr("Rücken Massageprogramm") : QObject::tr("Gesunder Rücken");
    case 3:
        return clinic ? QObject::tr("Ganzkörper Massageprogramm") : QObject::tr("Pure Entspannung");
    case 4:
        return clinic ? QObject::tr("Schulter Massageprogramm") : QObject::tr("Starke Schultern");
    case 5:
        return clinic ? QString() : QObject::tr("Muntermacher");
    case 256:
        return QObject::tr("Eigenes Programm");
    case 129:
        return QObject::tr("Ganzkörper Punktmassage");
    case 130:
        return QObject::tr("Rücken Punktmassage");
    case 131:
        return QObject::tr("Schulter Punktmassage");
    case 132:
        return QObject::tr("Lenden Punktmassage");
    case 133:
        return QObject::tr("Bein Punktmassage");
    case 134:
        return QObject::tr("Oberschenkel Punktmassage");
    case 135:
        return QObject::tr("Ganzkörper Lymphmassage");
    case 136:
        return QObject::tr("Bein Lymphmassage");
    case 137:
        return QObject::tr("Oberschenkel Lymphmassage");
    default:
        return QObject::tr("Nicht ausgewählt");
    }
}

QString MassageController::convertMassageTechnique(int32_t massageTechnique) const
{
    switch (massageTechnique) {
    case 1:
        return QObject::tr("Spiegel-Massage");
    case 2:
        return QObject::tr("Zickzack-Massage");
    case 3:
        return QObject::tr("Kreis-Massage");
    case 4:
        return QObject::tr("Streich-Massage");
    default:
        return QString();
    }
}

QString MassageController::convertMassageTime(int32_t currentTime) const
{
    const int32_t minutes = (currentTime / 60) % 60;
    const int32_t seconds = currentTime % 60;
    return QStringLiteral("%1:%2")
        .arg(minutes, 2, 10, QLatin1Char('0'))
        .arg(seconds, 2, 10, QLatin1Char('0'));
}

int32_t MassageController::convertMotorPos1(double rectWidth, int32_t maxVal,
                                            int32_t currentVal) const
{
    const double scale =
        (maxVal >= 1 && maxVal <= kInvalidInt32 - 1) ? rectWidth / double(maxVal) : rectWidth;
    return int32_t(double(currentVal) * scale);
}

int32_t MassageController::convertMotorPos2And3(double rectHeight, int32_t maxVal,
                                                double currentVal) const
{
    const double scale =
        (maxVal >= 1 && maxVal <= kInvalidInt32 - 1) ? rectHeight / double(maxVal) : rectHeight;
    return int32_t(currentVal * scale);
}

int32_t MassageController::motorPosToController(const telegram_param_def& requested, double maxVal,
                                                double currentVal) const
{
    if (maxVal < 1.0 || maxVal == double(kInvalidInt32))
        maxVal = 1.0;
    const double ratio = double(requested.max) / maxVal;
    // The ratio is cut to ten decimals before it scales the position.
    const double rounded = QString::number(ratio, 'f', 10).toDouble();
    return int32_t(rounded * currentVal);
}

int MassageController::convertMotorPos1ToController(double maxVal, double currentVal) const
{
    return motorPosToController(m_requestedMotorPosition1, maxVal, currentVal);
}

int32_t MassageController::convertMotorPos2ToController(double maxVal, double currentVal) const
{
    return motorPosToController(m_requestedMotorPosition2, maxVal, currentVal);
}

int32_t MassageController::convertMotorPos3ToController(double maxVal, double currentVal) const
{
    return motorPosToController(m_requestedMotorPosition3, maxVal, currentVal);
}
