#pragma once

#include "types/enumproviderclass.h"
#include "types/recordclinicstep.h"
#include "types/telegramparamdef.h"

#include <QObject>
#include <QString>

// Mirror of the massage parameters of the main control unit for one session,
// plus the display conversions the screens need (program names, time text,
// motor positions). Setters send parameter writes; the properties change only
// when the control unit reports the parameter back.
class MassageController : public QObject
{
    Q_OBJECT

    Q_PROPERTY(telegram_param_def nozzlePressure READ nozzlePressure NOTIFY nozzlePressureChanged)
    Q_PROPERTY(telegram_param_def nozzlePressureAtStart READ nozzlePressureAtStart NOTIFY
                   nozzlePressureAtStartChanged)
    Q_PROPERTY(
        telegram_param_def nozzlePressureMax READ nozzlePressureMax NOTIFY nozzlePressureMaxChanged)
    Q_PROPERTY(telegram_param_def nozzleSpeed READ nozzleSpeed NOTIFY nozzleSpeedChanged)
    Q_PROPERTY(telegram_param_def bodySize READ bodySize NOTIFY bodySizeChanged)
    Q_PROPERTY(telegram_param_def massageTime READ massageTime NOTIFY massageTimeChanged)
    Q_PROPERTY(telegram_param_def bodyArea READ bodyArea NOTIFY bodyAreaChanged)
    Q_PROPERTY(telegram_param_def backgroundReplayTime READ backgroundReplayTime NOTIFY
                   backgroundReplayTimeChanged)
    Q_PROPERTY(
        telegram_param_def backgroundProgram READ backgroundProgram NOTIFY backgroundProgramChanged)
    Q_PROPERTY(telegram_param_def massageProgram READ massageProgram NOTIFY massageProgramChanged)
    Q_PROPERTY(
        telegram_param_def temperatureUnit READ temperatureUnit NOTIFY temperatureUnitChanged)
    Q_PROPERTY(telegram_param_def massageType READ massageType NOTIFY massageTypeChanged)
    Q_PROPERTY(telegram_param_def currentMotorPosition1 READ currentMotorPosition1 NOTIFY
                   currentMotorPos1Changed)
    Q_PROPERTY(telegram_param_def currentMotorPosition2 READ currentMotorPosition2 NOTIFY
                   currentMotorPos2Changed)
    Q_PROPERTY(telegram_param_def currentMotorPosition3 READ currentMotorPosition3 NOTIFY
                   currentMotorPos3Changed)
    Q_PROPERTY(telegram_param_def requestedMotorPosition1 READ requestedMotorPosition1 NOTIFY
                   requestedMotorPos1Changed)
    Q_PROPERTY(telegram_param_def requestedMotorPosition2 READ requestedMotorPosition2 NOTIFY
                   requestedMotorPos2Changed)
    Q_PROPERTY(telegram_param_def requestedMotorPosition3 READ requestedMotorPosition3 NOTIFY
                   requestedMotorPos3Changed)
    Q_PROPERTY(telegram_param_def motor1ReferenceResult READ motor1ReferenceResult NOTIFY
                   motor1ReferenceResultChanged)
    Q_PROPERTY(telegram_param_def motor2ReferenceResult READ motor2ReferenceResult NOTIFY
                   motor2ReferenceResultChanged)
    Q_PROPERTY(telegram_param_def motor3ReferenceResult READ motor3ReferenceResult NOTIFY
                   motor3ReferenceResultChanged)
    Q_PROPERTY(telegram_param_def shoulderWidth READ shoulderWidth NOTIFY shoulderWidthChanged)
    Q_PROPERTY(telegram_param_def maxMassageTime READ maxMassageTime NOTIFY maxMassageTimeChanged)
    Q_PROPERTY(
        telegram_param_def lockedMassageTime READ lockedMassageTime NOTIFY lockedMassageTimeChanged)
    Q_PROPERTY(telegram_param_def pauseMode READ pauseMode NOTIFY pauseModeChanged)

    Q_PROPERTY(
        record_clinic_step recordClinicStep READ recordClinicStep NOTIFY recordClinicStepChanged)
    Q_PROPERTY(QString getSetMassageTime READ getSetMassageTime WRITE setGetSetMassageTime NOTIFY
                   setMassageTimeChanged)
    Q_PROPERTY(bool holdPositionActive READ holdPositionActive NOTIFY holdPositionActiveChanged)

public:
    MassageController();

    telegram_param_def nozzlePressure() const { return m_nozzlePressure; }
    telegram_param_def nozzlePressureAtStart() const { return m_nozzlePressureAtStart; }
    telegram_param_def nozzlePressureMax() const { return m_nozzlePressureMax; }
    telegram_param_def nozzleSpeed() const { return m_nozzleSpeed; }
    telegram_param_def bodySize() const { return m_bodySize; }
    telegram_param_def massageTime() const { return m_massageTime; }
    telegram_param_def bodyArea() const { return m_bodyArea; }
    telegram_param_def backgroundReplayTime() const { return m_backgroundReplayTime; }
    telegram_param_def backgroundProgram() const { return m_backgroundProgram; }
    telegram_param_def massageProgram() const { return m_massageProgram; }
    telegram_param_def temperatureUnit() const { return m_temperatureUnit; }
    telegram_param_def massageType() const { return m_massageType; }
    telegram_param_def currentMotorPosition1() const { return m_currentMotorPosition1; }
    telegram_param_def currentMotorPosition2() const { return m_currentMotorPosition2; }
    telegram_param_def currentMotorPosition3() const { return m_currentMotorPosition3; }
    telegram_param_def requestedMotorPosition1() const { return m_requestedMotorPosition1; }
    telegram_param_def requestedMotorPosition2() const { return m_requestedMotorPosition2; }
    telegram_param_def requestedMotorPosition3() const { return m_requestedMotorPosition3; }
    telegram_param_def motor1ReferenceResult() const { return m_motor1ReferenceResult; }
    telegram_param_def motor2ReferenceResult() const { return m_motor2ReferenceResult; }
    telegram_param_def motor3ReferenceResult() const { return m_motor3ReferenceResult; }
    telegram_param_def shoulderWidth() const { return m_shoulderWidth; }
    telegram_param_def maxMassageTime() const { return m_maxMassageTime; }
    telegram_param_def lockedMassageTime() const { return m_lockedMassageTime; }
    telegram_param_def pauseMode() const { return m_pauseMode; }
    record_clinic_step recordClinicStep() const { return m_recordClinicStep; }
    QString getSetMassageTime() const { return m_getSetMassageTime; }
    void setGetSetMassageTime(const QString& text);
    bool holdPositionActive() const { return m_holdPositionActive; }

    // Parameter writes.
    Q_INVOKABLE void setNozzlePressureValue(int32_t value);
    Q_INVOKABLE void setNozzlePressure(EnumProviderClass::ACTION action);
    Q_INVOKABLE void setNozzlePressureAtStartValue(int32_t value);
    Q_INVOKABLE void setNozzlePressureAtStart(EnumProviderClass::ACTION action);
    Q_INVOKABLE void setNozzlePressureMaxValue(int32_t value);
    Q_INVOKABLE void setNozzlePressureMax(EnumProviderClass::ACTION action);
    Q_INVOKABLE void setNozzleSpeedValue(int32_t value);
    Q_INVOKABLE void setNozzleSpeed(EnumProviderClass::ACTION action);
    Q_INVOKABLE void setNozzleSpeedDefValue(int16_t def);
    Q_INVOKABLE void setBodySize(int32_t value);
    Q_INVOKABLE void setBodySizeDef(int16_t def);
    Q_INVOKABLE void setMassageTimeValue(int32_t seconds);
    Q_INVOKABLE void setMassageTime(EnumProviderClass::ACTION action);
    Q_INVOKABLE void setBodyArea(EnumProviderClass::BODY_AREA area);
    Q_INVOKABLE void setBodyAreaDef(EnumProviderClass::BODY_AREA area);
    Q_INVOKABLE void setBackgroundReplayTime(int32_t value);
    Q_INVOKABLE void setBackgroundProgram(EnumProviderClass::BACKGROUND_PROGRAM program);
    Q_INVOKABLE void setMassageProgram(EnumProviderClass::MASSAGE_PROGRAM program);
    Q_INVOKABLE void setMassageProgramDef(EnumProviderClass::MASSAGE_PROGRAM program);
    Q_INVOKABLE void setTemperatureUnit(EnumProviderClass::TEMPERATURE_UNIT unit);
    Q_INVOKABLE void setMassageType(EnumProviderClass::MASSAGE_TYPE type);
    Q_INVOKABLE void setMotorPos1(int32_t value);
    Q_INVOKABLE void setMotorPos2(int32_t value);
    Q_INVOKABLE void setMotorPos3(int32_t value);
    Q_INVOKABLE void setRequestedMotorPos1Value(int32_t value);
    Q_INVOKABLE void setRequestedMotorPos1(EnumProviderClass::ACTION action);
    Q_INVOKABLE void setRequestedMotorPos2Value(int32_t value);
    Q_INVOKABLE void setRequestedMotorPos2(EnumProviderClass::ACTION action);
    Q_INVOKABLE void setRequestedMotorPos3Value(int32_t value);
    Q_INVOKABLE void setRequestedMotorPos3(EnumProviderClass::ACTION action);
    Q_INVOKABLE void setShoulderWidth(EnumProviderClass::SHOULDER_WIDTH width);
    Q_INVOKABLE void setShoulderWidthDef(EnumProviderClass::SHOULDER_WIDTH width);
    Q_INVOKABLE void setMaxMassageTimeValue(int32_t value);
    Q_INVOKABLE void setMaxMassageTime(EnumProviderClass::ACTION action);
    Q_INVOKABLE void setLockedMassageTimeValue(int32_t value);
    Q_INVOKABLE void setLockedMassageTime(EnumProviderClass::ACTION action);
    Q_INVOKABLE void setPauseMode(EnumProviderClass::PAUSE_MODE mode);

    Q_INVOKABLE void requestValues();
    Q_INVOKABLE void setHoldPositionActive(bool active);

    // Values the screens remember across a temporary change; no signal, no telegram.
    Q_INVOKABLE EnumProviderClass::BODY_AREA bodyAreaOldVal() const { return m_bodyAreaOldVal; }
    Q_INVOKABLE void setBodyAreaOldVal(EnumProviderClass::BODY_AREA area);
    Q_INVOKABLE EnumProviderClass::BACKGROUND_PROGRAM backgroundProgramOldVal() const
    {
        return m_backgroundProgramOldVal;
    }
    Q_INVOKABLE void setBackgroundProgramOldVal(EnumProviderClass::BACKGROUND_PROGRAM program);
    Q_INVOKABLE bool holdPositionActiveOldVal() const { return m_holdPositionActiveOldVal; }
    Q_INVOKABLE void setHoldPositionActiveOldVal(bool active);
    Q_INVOKABLE bool startWithIndividualMassageView() const
    {
        return m_startWithIndividualMassageView;
    }
    Q_INVOKABLE void setStartWithIndividualMassageView(bool start);

    // Display conversions.
    Q_INVOKABLE QString convertBodyArea(int32_t bodyArea) const;
    Q_INVOKABLE QString convertBackgroundProgram(int32_t backgroundProgram) const;
    Q_INVOKABLE QString convertMassageTechnique(int32_t massageTechnique) const;
    Q_INVOKABLE QString convertMassageTime(int32_t currentTime) const;
    Q_INVOKABLE int32_t convertMotorPos1(double rectWidth, int32_t maxVal,
                                         int32_t currentVal) const;
    Q_INVOKABLE int32_t convertMotorPos2And3(double rectHeight, int32_t maxVal,
                                             double currentVal) const;
    Q_INVOKABLE int convertMotorPos1ToController(double maxVal, double currentVal) const;
    Q_INVOKABLE int32_t convertMotorPos2ToController(double maxVal, double currentVal) const;
    Q_INVOKABLE int32_t convertMotorPos3ToController(double maxVal, double currentVal) const;

public slots:
    void onNozzlePressureChanged(telegram_param_def nozzlePressure);
    void onNozzlePressureAtStartChanged(telegram_param_def nozzlePressureAtStart);
    void onNozzlePressureMaxChanged(telegram_param_def nozzlePressureMax);
    void onNozzleSpeedChanged(telegram_param_def nozzleSpeed);
    void onBodySizeChanged(telegram_param_def bodySize);
    void onMassageTimeChanged(telegram_param_def massageTime);
    void onBodyAreaChanged(telegram_param_def bodyArea);
    void onBackgroundReplayTimeChanged(telegram_param_def backgroundReplayTime);
    void onBackgroundProgramChanged(telegram_param_def backgroundProgram);
    void onMassageProgramChanged(telegram_param_def massageProgram);
    void onTemperatureUnitChanged(telegram_param_def temperatureUnit);
    void onMassageTypeChanged(telegram_param_def massageType);
    void onMotorPos1Changed(telegram_param_def motorPos1);
    void onMotorPos2Changed(telegram_param_def motorPos2);
    void onMotorPos3Changed(telegram_param_def motorPos3);
    void onRequestedMotorPos1Changed(telegram_param_def requestedMotorPos1);
    void onRequestedMotorPos2Changed(telegram_param_def requestedMotorPos2);
    void onRequestedMotorPos3Changed(telegram_param_def requestedMotorPos3);
    void onMotor1ReferenceResultChanged(telegram_param_def result);
    void onMotor2ReferenceResultChanged(telegram_param_def result);
    void onMotor3ReferenceResultChanged(telegram_param_def result);
    void onShoulderWidthChanged(telegram_param_def shoulderWidth);
    void onMaxMassageTimeChanged(telegram_param_def maxMassageTime);
    void onLockedMassageTimeChanged(telegram_param_def lockedMassageTime);
    void onPauseModeChanged(telegram_param_def pauseMode);
    void onRecordClinicStepChanged(record_clinic_step recordClinicStep);

signals:
    void nozzlePressureChanged();
    void nozzlePressureStructMaxChanged();
    void nozzlePressureAtStartChanged();
    void nozzlePressureMaxChanged();
    void nozzleSpeedChanged();
    void nozzleSpeedMaxChanged();
    void bodySizeChanged();
    void massageTimeChanged();
    void bodyAreaChanged();
    void backgroundReplayTimeChanged();
    void backgroundProgramChanged();
    void massageProgramChanged();
    void temperatureUnitChanged();
    void massageTypeChanged();
    void currentMotorPos1Changed();
    void currentMotorPos2Changed();
    void currentMotorPos3Changed();
    void requestedMotorPos1Changed();
    void requestedMotorPos2Changed();
    void requestedMotorPos3Changed();
    void motor1ReferenceResultChanged();
    void motor2ReferenceResultChanged();
    void motor3ReferenceResultChanged();
    void shoulderWidthChanged();
    void maxMassageTimeChanged();
    void lockedMassageTimeChanged();
    void pauseModeChanged();
    void recordClinicStepChanged();
    void setMassageTimeChanged();
    void holdPositionActiveChanged();

private:
    enum class Flag2 { Keep, Set };
    void writeValue(telegram_param_def record, EnumProviderClass::PARAM_ID id, int32_t value,
                    Flag2 flag2 = Flag2::Keep);
    void writeAction(telegram_param_def record, EnumProviderClass::PARAM_ID id,
                     EnumProviderClass::ACTION action, Flag2 flag2 = Flag2::Keep);
    void writeDef(telegram_param_def record, EnumProviderClass::PARAM_ID id, uint16_t def,
                  Flag2 flag2 = Flag2::Keep);
    int32_t motorPosToController(const telegram_param_def& requested, double maxVal,
                                 double currentVal) const;
    bool isClinic() const;

    telegram_param_def m_nozzlePressure;
    telegram_param_def m_nozzlePressureAtStart;
    telegram_param_def m_nozzlePressureMax;
    telegram_param_def m_nozzleSpeed;
    telegram_param_def m_bodySize;
    telegram_param_def m_massageTime;
    telegram_param_def m_bodyArea;
    telegram_param_def m_backgroundReplayTime;
    telegram_param_def m_backgroundProgram;
    telegram_param_def m_massageProgram;
    telegram_param_def m_temperatureUnit;
    telegram_param_def m_massageType;
    telegram_param_def m_currentMotorPosition1;
    telegram_param_def m_currentMotorPosition2;
    telegram_param_def m_currentMotorPosition3;
    telegram_param_def m_requestedMotorPosition1;
    telegram_param_def m_requestedMotorPosition2;
    telegram_param_def m_requestedMotorPosition3;
    telegram_param_def m_motor1ReferenceResult;
    telegram_param_def m_motor2ReferenceResult;
    telegram_param_def m_motor3ReferenceResult;
    telegram_param_def m_shoulderWidth;
    telegram_param_def m_maxMassageTime;
    telegram_param_def m_lockedMassageTime;
    telegram_param_def m_pauseMode;
    record_clinic_step m_recordClinicStep;
    QString m_getSetMassageTime;
    bool m_holdPositionActive = false;

    EnumProviderClass::BODY_AREA m_bodyAreaOldVal = EnumProviderClass::TOTALBODY;
    EnumProviderClass::BACKGROUND_PROGRAM m_backgroundProgramOldVal =
        EnumProviderClass::PROGRAM_OFF;
    bool m_holdPositionActiveOldVal = false;
    bool m_startWithIndividualMassageView = false;
};
