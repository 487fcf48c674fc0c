#include "paramtable.h"

namespace bussim {

namespace {
constexpr qint32 Max32 = ParamRecord::InvalidInt32;

// Quick-start buttons, one code per byte from position 0: total body, fit
// legs, total-body point massage, neck and shoulders.
constexpr qint32 DefaultQuickstart = 4 | (50 << 8) | (100 << 16) | (1 << 24);
// Languages offered to guests (German, English, Danish, Dutch, French) and
// the ones the operator may choose (all 25).
constexpr qint32 GuestLanguages = (1 << 0) | (1 << 1) | (1 << 2) | (1 << 9) | (1 << 10);
constexpr qint32 OperatorLanguages = (1 << 25) - 1;
} // namespace

ParamTable::ParamTable()
{
    using R = ParamRecord;
    // Frequency converter information.
    add(R::make(ParamFuErrorCode, 0, 0, 65535));
    add(R::make(ParamFuSoftwareVersion, 0x0203, 0, 65535));
    add(R::make(ParamFuHardwareVersion, 3, 0, 65535));
    add(R::make(ParamFuRevolutions, 0, 0, 3000, 10, 0, TypeRevolutionPerMinute));
    // Massage.
    add(R::make(ParamNozzlePressure, 5, 1, 10));
    add(R::make(ParamNozzleSpeed, 3, 1, 5));
    add(R::make(ParamBodySize, 175, 140, 210));
    add(R::make(ParamMassageTime, 900, 300, 3600, 60, 0, TypeSecond));
    add(R::make(ParamBodyArea, 4, 0, 17));
    add(R::make(ParamMassageProgram, 1, 1, 13));
    add(R::make(ParamMassageType, 0, 0, 1));
    add(R::make(ParamOperatingHours, 1234, 0, 999999, 1, 0, TypeHour));
    add(R::make(ParamOperatingHoursSinceService, 56, 0, 999999, 1, 0, TypeHour));
    add(R::make(ParamTemperatureUnit, 0, 0, 1));
    add(R::make(ParamAudioVolumeStandby, 30, 0, 100, 5, 0, TypePercent));
    add(R::make(ParamMassageTimeMaximum, 1800, 300, 3600, 60, 0, TypeSecond));
    add(R::make(ParamMassageTimeLock, 900, 300, 3600, 60, 0, TypeSecond));
    add(R::make(ParamSetpointWaterTemperature, 370, 300, 420, 5, 10, TypeTemperature));
    add(R::make(ParamCurrentWaterTemperature, 365, 0, 600, 1, 10, TypeTemperature));
    add(R::make(ParamAudioVolumeSessionStart, 50, 0, 100, 5, 0, TypePercent));
    add(R::make(ParamBluetoothState, 1, 0, 6));
    add(R::make(ParamCurrentDeviceStatus, 0, 0, 24), Kind::State);
    add(R::make(ParamDisplayDimming, 80, 10, 100, 10, 0, TypePercent));
    add(R::make(ParamCurrentMotor1, 0, 0, 600));
    add(R::make(ParamCurrentMotor2, 0, 0, 200));
    add(R::make(ParamCurrentMotor3, 0, 0, 200));
    add(R::make(ParamSetupLoginTimeout, 120, 30, 600, 10, 0, TypeSecond));
    add(R::make(ParamRequestedMotor1, 0, 0, 600));
    add(R::make(ParamRequestedMotor2, 0, 0, 200));
    add(R::make(ParamRequestedMotor3, 0, 0, 200));
    add(R::make(ParamPumpMode, 0, 0, 2));
    add(R::make(ParamSessionCode, 0, 0, 9999), Kind::Code);
    add(R::make(ParamSetupSwitches, 0, 0, (1 << 23) - 1), Kind::Raw);
    add(R::make(ParamSetupCode, 1234, 0, 9999), Kind::Code);
    add(R::make(ParamLoginTimeout, 60, 10, 600, 10, 0, TypeSecond));
    add(R::make(ParamShoulderWidth, 160, 150, 170, 10));
    add(R::make(ParamStandbyVideo, 0, 0, 1));
    {
        ParamRecord language = R::make(ParamLanguage, 0, GuestLanguages, OperatorLanguages);
        add(language, Kind::Raw);
    }
    add(R::make(ParamQuickstartButtons, DefaultQuickstart, 0, Max32), Kind::Raw);
    add(R::make(ParamSpaAroma, 0, 0, 259), Kind::Raw);
    {
        // step: colour-program intensity, divider: beauty-light intensity.
        ParamRecord color = R::make(ParamSpaColorProgram, 0, 0, Max32, 2, 2);
        add(color, Kind::Raw);
    }
    add(R::make(ParamApplianceType, 1, 1, 3));
    add(R::make(ParamBasicVolume, 50, 0, 100, 5, 0, TypePercent));
    add(R::make(ParamPauseMode, 1, 0, 1));
    add(R::make(ParamNozzlePressureAtStart, 3, 1, 10));
    add(R::make(ParamFollowUpCoolingValve, 60, 0, 600, 10, 0, TypeSecond));
    add(R::make(ParamFollowUpAmbientLight, 120, 0, 600, 10, 0, TypeSecond));
    add(R::make(ParamEffectIllumination, 0, 0, Max32), Kind::Raw);
    add(R::make(ParamVoiceVolume, 40, 0, 100, 5, 0, TypePercent));
    add(R::make(ParamBackgroundProgram, 0, 0, 256), Kind::Raw);
    add(R::make(ParamNfcTagCredit, 65535, 0, 65535, 1, 0, TypeSession), Kind::Raw);
    add(R::make(ParamCurrentErrorList1, 0, 0, Max32), Kind::Bits);
    add(R::make(ParamCurrentWarningList1, 0, 0, Max32), Kind::Bits);
    add(R::make(ParamBackgroundReplayTime, 10, 1, 60, 1, 0, TypeSecond));
    add(R::make(ParamAudioBass, 0, -10, 10));
    add(R::make(ParamAudioTreble, 0, -10, 10));
    add(R::make(ParamNozzlePressureMax, 10, 1, 10));
    add(R::make(ParamWaterMixerTimer, 30, 0, 300, 10, 0, TypeSecond));
    add(R::make(ParamPressureLimiterTemperature, 38, 30, 45, 1, 0, TypeTemperature));
    add(R::make(ParamPressureLimiterLowering, 2, 0, 5));
}

void ParamTable::add(const ParamRecord& record, Kind kind)
{
    m_entries.insert(record.id, Entry{record, record, kind});
}

ParamTable::Kind ParamTable::kind(quint16 id) const
{
    return m_entries.value(id).kind;
}

ParamRecord ParamTable::record(quint16 id) const
{
    auto it = m_entries.constFind(id);
    if (it == m_entries.constEnd())
        return ParamRecord();
    return it->record;
}

void ParamTable::set(const ParamRecord& record)
{
    auto it = m_entries.find(record.id);
    if (it == m_entries.end())
        return;
    it->record = record;
}

void ParamTable::setValue(quint16 id, qint32 value)
{
    auto it = m_entries.find(id);
    if (it != m_entries.end())
        it->record.value = value;
}

void ParamTable::setInitial(const ParamRecord& record)
{
    auto it = m_entries.find(record.id);
    if (it == m_entries.end())
        return;
    it->record = record;
    it->initial = record;
}

void ParamTable::resetAll()
{
    for (auto& entry : m_entries)
        entry.record = entry.initial;
}

qint32 ParamTable::limit(qint64 value, qint32 min, qint32 max, quint16 step)
{
    if (min > max)
        return min;
    if (step != 0 && step != ParamRecord::InvalidShort) {
        // Nearest grid point, halves up: k = floor((2 * offset + step) / (2 * step)).
        const qint64 num = 2 * (value - min) + step;
        const qint64 den = 2 * qint64(step);
        qint64 k = num / den;
        if (num % den != 0 && num < 0)
            --k;
        value = qint64(min) + k * step;
    }
    if (value < min)
        return min;
    if (value > max)
        return max;
    return qint32(value);
}

ParamRecord ParamTable::applyWrite(const ParamRecord& written)
{
    auto it = m_entries.find(written.id);
    if (it == m_entries.end())
        return ParamRecord();
    ParamRecord& stored = it->record;
    switch (it->kind) {
    case Kind::Number:
    case Kind::Code: {
        const qint32 stepSize =
            (stored.step == 0 || stored.step == ParamRecord::InvalidShort) ? 1 : stored.step;
        qint64 wanted = written.value;
        if (written.action == ActionUp)
            wanted = qint64(stored.value) + stepSize;
        else if (written.action == ActionDown)
            wanted = qint64(stored.value) - stepSize;
        else if (written.action == ActionReset)
            wanted = it->initial.value;
        stored.value = limit(wanted, stored.min, stored.max, stored.step);
        // A default written by a "def" setter; 0xFFFF marks a record the
        // panel never received and carries no default.
        if (written.action == ActionReset)
            stored.def = it->initial.def;
        else if (written.def != ParamRecord::InvalidShort && written.def != stored.def)
            stored.def = quint16(limit(written.def, stored.min, stored.max, stored.step));
        break;
    }
    case Kind::Raw:
        if (written.action == ActionReset) {
            stored = it->initial;
            break;
        }
        stored.value = written.value;
        if (written.def != ParamRecord::InvalidShort)
            stored.def = written.def;
        if (written.min != ParamRecord::InvalidInt32)
            stored.min = written.min;
        if (written.max != ParamRecord::InvalidInt32)
            stored.max = written.max;
        if (written.step != ParamRecord::InvalidShort)
            stored.step = written.step;
        if (written.divider != ParamRecord::InvalidShort)
            stored.divider = written.divider;
        break;
    case Kind::Bits:
        if (written.action == ActionReset)
            stored.value = 0;
        break;
    case Kind::State:
        break;
    }
    stored.action = ActionNop;
    stored.message = 0;
    return stored;
}

} // namespace bussim
