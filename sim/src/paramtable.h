#ifndef PARAMTABLE_H
#define PARAMTABLE_H

#include "paramrecord.h"

#include <QList>
#include <QMap>

namespace bussim {

// Parameter identifiers the simulated main control unit keeps.
enum ParamId : quint16 {
    ParamFuErrorCode = 100,
    ParamFuSoftwareVersion = 101,
    ParamFuHardwareVersion = 102,
    ParamFuRevolutions = 103,
    ParamDualDisplay = 236,
    ParamBtDeviceName = 326,
    ParamDisplayInternal = 424,
    ParamDisplayExternal = 425,
    ParamGuiCrc32Request = 468,
    ParamGuiCrc32 = 469,
    ParamNozzlePressure = 10000,
    ParamNozzleSpeed = 10001,
    ParamBodySize = 10002,
    ParamMassageTime = 10003,
    ParamBodyArea = 10004,
    ParamMassageProgram = 10005,
    ParamMassageType = 10006,
    ParamOperatingHours = 10007,
    ParamOperatingHoursSinceService = 10008,
    ParamTemperatureUnit = 10009,
    ParamAudioVolumeStandby = 10010,
    ParamMassageTimeMaximum = 10011,
    ParamMassageTimeLock = 10012,
    ParamSetpointWaterTemperature = 10013,
    ParamCurrentWaterTemperature = 10014,
    ParamAudioVolumeSessionStart = 10015,
    ParamBluetoothState = 10016,
    ParamCurrentDeviceStatus = 10017,
    ParamDisplayDimming = 10018,
    ParamCurrentMotor1 = 10019,
    ParamCurrentMotor2 = 10020,
    ParamCurrentMotor3 = 10021,
    ParamSetupLoginTimeout = 10022,
    ParamRequestedMotor1 = 10023,
    ParamRequestedMotor2 = 10024,
    ParamRequestedMotor3 = 10025,
    ParamPumpMode = 10026,
    ParamSessionCode = 10027,
    ParamSetupSwitches = 10028,
    ParamSetupCode = 10029,
    ParamLoginTimeout = 10030,
    ParamShoulderWidth = 10031,
    ParamStandbyVideo = 10032,
    ParamLanguage = 10036,
    ParamQuickstartButtons = 10037,
    ParamSpaAroma = 10038,
    ParamSpaColorProgram = 10039,
    ParamApplianceType = 10040,
    ParamBasicVolume = 10041,
    ParamPauseMode = 10042,
    ParamNozzlePressureAtStart = 10043,
    ParamFollowUpCoolingValve = 10044,
    ParamFollowUpAmbientLight = 10045,
    ParamEffectIllumination = 10046,
    ParamVoiceVolume = 10047,
    ParamBackgroundProgram = 10048,
    ParamNfcTagCredit = 10049,
    ParamCurrentErrorList1 = 10051,
    ParamCurrentWarningList1 = 10052,
    ParamBackgroundReplayTime = 10053,
    ParamAudioBass = 10055,
    ParamAudioTreble = 10056,
    ParamNozzlePressureMax = 10057,
    ParamWaterMixerTimer = 10058,
    ParamPressureLimiterTemperature = 10059,
    ParamPressureLimiterLowering = 10060,
    ParamSoftwareInfo = 10101,
    ParamErrorHistory = 10102,
    ParamRecordClinicStep = 10104,
};

// The parameter records of the main control unit and the rules by which the
// unit accepts writes. Everything the panel shows comes from these records.
class ParamTable
{
public:
    // How a write is taken.
    enum class Kind {
        Number, // value limited to min..max on the step grid; UP/DOWN/RESET
        Raw,    // packed data (bit sets, colours, masks): fields taken as written
        Bits,   // status words owned by the unit: only RESET (clears) is taken
        Code,   // four-digit code: 0..9999, VERIFY answered by the unit
        State,  // device status: handled by the device-state model
    };

    ParamTable();

    bool contains(quint16 id) const { return m_entries.contains(id); }
    Kind kind(quint16 id) const;
    ParamRecord record(quint16 id) const;
    QList<quint16> ids() const { return m_entries.keys(); }

    // Replaces a stored record as it stands (control interface, model).
    void set(const ParamRecord& record);
    void setValue(quint16 id, qint32 value);
    // The record and its initial copy (what RESET restores).
    void setInitial(const ParamRecord& record);
    void resetAll();

    // Applies a write of the panel and returns the record as the unit accepted
    // it (stored, with action NOP so that a later value write is not taken for
    // a step). Unknown ids return a record with id 0xFFFF.
    ParamRecord applyWrite(const ParamRecord& written);

    // value moved to the nearest point min + k * step (halves up), then
    // limited to min..max. A step of 0 or 0xFFFF means no grid.
    static qint32 limit(qint64 value, qint32 min, qint32 max, quint16 step);

private:
    struct Entry
    {
        ParamRecord record;
        ParamRecord initial;
        Kind kind = Kind::Number;
    };
    void add(const ParamRecord& record, Kind kind = Kind::Number);

    QMap<quint16, Entry> m_entries;
};

} // namespace bussim

#endif // PARAMTABLE_H
