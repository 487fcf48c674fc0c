#pragma once

#include <QObject>

// The vocabulary shared by the telegram layer, the controllers and the QML
// screens. The class carries no data of its own; it exists to take its
// enumerations into QML ("Tq.Controller.EnumProvider" 1.0) and into signal and
// slot signatures. Values and declaration order are part of the bus protocol
// and of the screens, so never reorder or renumber them.
class EnumProviderClass : public QObject
{
    Q_OBJECT

public:
    explicit EnumProviderClass(QObject* parent = nullptr) : QObject(parent) {}

    enum ApplicationUpdateState {
        UPDATE_APPLICATION_UNDEFINED_STATE = -1,
        UPDATE_APPLICATION_RUNNING = 0,
        UPDATE_APPLICATION_SUCCEDED = 1,
        UPDATE_APPLICATION_FAILED = 2
    };
    Q_ENUM(ApplicationUpdateState)

    enum APPLIANCE_TYPE { NOT_INITIALIZED = 0, LOUNGE = 1, CLINIC = 2, US_VERSION = 3 };
    Q_ENUM(APPLIANCE_TYPE)

    enum AudioSource { AUDIO_SOURCE_UNDEFINED = -1, AUDIOOFF = 0, SDCARD = 1, BLUETOOTH = 2 };
    Q_ENUM(AudioSource)

    enum BODY_AREA {
        UNDEFINED_BODY_AREA = 0,
        NECK_SHOULDER = 1,
        LUMBAR_AREA = 2,
        LOWERBODY = 3,
        TOTALBODY = 4,
        UPPERBODY = 5,
        POINT = 6,
        PARTIAL = 7,
        AREA_CARD_DATA_POINT_MASSAGE = 8,
        AREA_CARD_DATA_PHASE_MASSAGE = 9,
        AREA_MEDICAL_PROGRAM_1 = 10,
        AREA_MEDICAL_PROGRAM_2 = 11,
        AREA_MEDICAL_PROGRAM_3 = 12,
        AREA_MEDICAL_PROGRAM_4 = 13,
        AREA_MEDICAL_PROGRAM_5 = 14,
        AREA_MEDICAL_PROGRAM_6 = 15,
        AREA_MEDICAL_PROGRAM_7 = 16,
        AREA_BREAK_SESSION = 17
    };
    Q_ENUM(BODY_AREA)

    enum BACKGROUND_PROGRAM {
        PROGRAM_OFF = 0,
        FIT_LEGS = 1,
        HEALTHY_BACK = 2,
        PURE_RELAXATION = 3,
        STRONG_SHOULDERS = 4,
        PERK_UP = 5,
        TOTAL_BODY_PROGRAM = 129,
        UPPER_BODY_PROGRAM = 130,
        SHOULDER_PROGRAM = 131,
        LUMBAR_PROGRAM = 132,
        LOWER_BODY_PROGRAM = 133,
        UPPER_THIGH_PROGRAM = 134,
        LYMPH_TOTAL_BODY_PROGRAM = 135,
        LYMPH_LOWER_BODY_PROGRAM = 136,
        LYMPH_UPPER_THIGH_PROGRAM = 137,
        NFC_PROGRAM = 256
    };
    Q_ENUM(BACKGROUND_PROGRAM)

    enum QUICK_START_BUTTON_CONFIG {
        BUTTON_OFF = 0,
        BC_NECK_SHOULDER = 1,
        BC_LUMBAR_AREA = 2,
        BC_LOWERBODY = 3,
        BC_TOTALBODY = 4,
        BC_UPPERBODY = 5,
        BC_POINT = 6,
        BC_FIT_LEGS = 50,
        BC_HEALTHY_BACK = 51,
        BC_PURE_RELAXATION = 52,
        BC_STRONG_SHOULDERS = 53,
        BC_PERK_UP = 54,
        BC_TOTALBODY_PROGRAM = 100,
        BC_UPPERBODY_PROGRAM = 101,
        BC_SHOULDER_PROGRAM = 102,
        BC_LUMBAR_PROGRAM = 103,
        BC_LOWERBODY_PROGRAM = 104,
        BC_UPPER_THIGH_PROGRAM = 105,
        BC_LYMPH_TOTALBODY = 106,
        BC_LYMPH_LOWERBODY = 107,
        BC_LYMPH_UPPER_THIGH = 108
    };
    Q_ENUM(QUICK_START_BUTTON_CONFIG)

    enum MASSAGE_PROGRAM {
        MIRROR_MASSAGE = 1,
        PARALLEL_MASSAGE = 2,
        CIRCLE_MASSAGE = 3,
        STROKE_MASSAGE = 4,
        CARD_DATA_POINT_MASSAGE = 5,
        CARD_DATA_PHASE_MASSAGE = 6,
        MEDICAL_PROGRAM_1 = 7,
        MEDICAL_PROGRAM_2 = 8,
        MEDICAL_PROGRAM_3 = 9,
        MEDICAL_PROGRAM_4 = 10,
        MEDICAL_PROGRAM_5 = 11,
        MEDICAL_PROGRAM_6 = 12,
        MEDICAL_PROGRAM_7 = 13
    };
    Q_ENUM(MASSAGE_PROGRAM)

    // The action byte of a parameter record; 139 is deliberately unused.
    enum ACTION {
        NOP = 0,
        OFF = 128,
        ON = 129,
        UP = 130,
        DOWN = 131,
        VERIFY = 132,
        CORRECT = 133,
        WRONG = 134,
        READ = 135,
        WRITE = 136,
        WRITTEN = 137,
        CORRECT_NFC = 138,
        RESET = 140
    };
    Q_ENUM(ACTION)

    // Markers for values not received yet; two pairs share a value.
    enum HELPER_ENUMS {
        INVALID_SOFTWARE_INFO = 255,
        INVALID_NFC_VALUE = 65535,
        INVALID_SHORT_VALUE = 65535,
        INVALID_BODY_SIZE = -1,
        INVALID_SHOULDER_WIDTH = -1,
        INVALID_UINT_32_VALUE = -1,
        INVALID_INT_32_VALUE = 2147483647
    };
    Q_ENUM(HELPER_ENUMS)

    enum PARAM_TYPE {
        NUMBER = 0,
        TEMPERATURE = 1,
        REVOLUTION_PER_MINUTE = 2,
        HZ = 3,
        TEN_MBAR = 4,
        PERCENT = 5,
        HOUR = 6,
        MINUTE = 7,
        SECOND = 8,
        IP = 9,
        PARAM_TYPE_SESSION = 10,
        PARAM_TYPE_MINUTES = 11
    };
    Q_ENUM(PARAM_TYPE)

    enum MASSAGE_TYPE { CONTINUOUS_MASSAGE = 0, PULSE_MASSAGE = 1 };
    Q_ENUM(MASSAGE_TYPE)

    // Bit numbers within the set-up switches parameter.
    enum SETUP_SWITCHES {
        SWITCH_PIN_CODE_ENABLED = 0,
        SWITCH_START_BUTTON_INDIVIDUAL_MASSAGE = 1,
        SWITCH_LED_SPA_ACTIVATED = 2,
        SWITCH_BUTTON_MASSAGE_SETTINGS = 3,
        SWITCH_INDIVIDUAL_MASSAGE_STYLE = 4,
        SWITCH_KEYPAD_TIME_SETTING = 5,
        SWITCH_TIME_SETTING = 6,
        SWITCH_NFC_TAG_CREDIT_FUNCTION = 7,
        SWITCH_SAVE_RECORDING_AFTER_SESSION = 8,
        SWITCH_LOAD_RECORD = 9,
        SWITCH_AUDIO_ACTIVE = 10,
        SWITCH_BLUETOOTH_ACTIVE = 11,
        SWITCH_UNIT_SYSTEM = 12,
        SWITCH_KEY_LOCK = 13,
        SWITCH_HOME_RUN = 14,
        SWITCH_NFC_CARD_INIT = 15,
        SWITCH_ROTATE_WINDOW = 16,
        SWITCH_WATER_MIXER_ON = 17,
        SWITCH_PRESSURE_LIMITER_TEMPERATURE_ON = 18,
        SWITCH_VOICE_GUIDE_ON = 19,
        SWITCH_DEMO_MODE_ON = 20,
        SWITCH_CLEAN_DEVICE_ON = 21,
        SWITCH_QUICK_START_ON = 22
    };
    Q_ENUM(SETUP_SWITCHES)

    enum TEMPERATURE_UNIT { CELSIUS = 0, FAHRENHEIT = 1 };
    Q_ENUM(TEMPERATURE_UNIT)

    enum TIME_CONTROL { FREE = 0, LOCKED = 1, COIN_BOX = 2 };
    Q_ENUM(TIME_CONTROL)

    enum OPERATING_MODE { FREE_MODE = 0, PAY_MODE = 1 };
    Q_ENUM(OPERATING_MODE)

    enum CURRENT_DEVICE_STATUS {
        BOOT = 0,
        NO_CONSOLE = 1,
        REFERENCE_RUN = 2,
        READY_IDLE = 3,
        PAY_SESSION = 4,
        COIN_SESSION = 5,
        SETUP_MANAGER = 6,
        PAUSE_SESSION = 7,
        DEVICE_ERROR = 8,
        SERVICE_SESSION = 9,
        TIME_SESSION = 10,
        SETUP_SESSION = 11,
        SOFTWARE_UPDATE = 12,
        MANUAL_SESSION = 13,
        START_SESSION = 14,
        STOP_SESSION = 15,
        SAVE_SESSION = 16,
        PROGRAM_SESSION_FREE = 17,
        SESSION_LOGIN = 18,
        STOP_PROGRAMMING = 19,
        REFERENCE_RUN_2 = 20,
        DEMO_MODE = 21,
        CLEAN_DEVICE = 22,
        QUICK_START_SESSION = 23,
        UNDEFINED_STATUS = 24
    };
    Q_ENUM(CURRENT_DEVICE_STATUS)

    enum PAUSE_MODE { PAUSE_OFF = 0, PAUSE_ON = 1 };
    Q_ENUM(PAUSE_MODE)

    // The value is the shoulder width itself.
    enum SHOULDER_WIDTH { SMALL = 150, MEDIUM = 160, LARGE = 170 };
    Q_ENUM(SHOULDER_WIDTH)

    enum SPA_COLOR_PROGRAM {
        COLOR_PROGRAM_OFF = 0,
        COLOR_PROGRAM_RED = 1,
        COLOR_PROGRAM_GREEN = 2,
        COLOR_PROGRAM_BLUE = 3,
        COLOR_PROGRAM_RAINBOW = 4,
        COLOR_PROGRAM_BEAUTY_LIGHT = 5
    };
    Q_ENUM(SPA_COLOR_PROGRAM)

    enum Language {
        GERMAN = 0,
        ENGLISH = 1,
        DANISH = 2,
        SWEDISH = 3,
        NORWEGIAN = 4,
        FINNISH = 5,
        ESTONIAN = 6,
        LATVIAN = 7,
        LITHUANIAN = 8,
        DUTCH = 9,
        FRENCH = 10,
        ITALIAN = 11,
        SPANISH = 12,
        PORTOGUESE = 13,
        RUSSIAN = 14,
        POLISH = 15,
        CZECH = 16,
        HUNGARIAN = 17,
        SLOVENIAN = 18,
        CROATIAN = 19,
        SERBIAN = 20,
        ROMANIAN = 21,
        GREEK = 22,
        TURKISH = 23,
        AMERICAN = 24,
        BULGARIAN = 25
    };
    Q_ENUM(Language)

    // Bit numbers of the current error word.
    enum ERROR_LIST_1 {
        CHASSIS_SWITCH = 0,
        TEMPERATURE_SWITCH = 1,
        WATER_TEMPERATURE = 2,
        MOTOR_1_IMPULSE = 3,
        MOTOR_1_END_SWITCH_HEAD = 4,
        MOTOR_1_END_SWITCH_FOOT = 5,
        MOTOR_2_IMPULSE = 6,
        MOTOR_2_SWITCH_CENTER = 7,
        MOTOR_2_SWITCH_OUTSIDE = 8,
        MOTOR_3_IMPULSE = 9,
        MOTOR_3_SWITCH_CENTER = 10,
        MOTOR_3_SWITCH_OUTSIDE = 11
    };
    Q_ENUM(ERROR_LIST_1)

    // Bit numbers of the current warning word.
    enum WARNING_LIST_1 { IIC_BUS_TIMEOUT = 0, FREQUENCY_CONVERTER_CONNECTION = 1 };
    Q_ENUM(WARNING_LIST_1)

    enum BLUETOOTH_STATE { NOT_ACTIVE = 0, ACTIVE = 1, PAIRED = 2, STREAM = 6 };
    Q_ENUM(BLUETOOTH_STATE)

    // Parameter identifiers of the main control unit. 10033-10035, 10046,
    // 10050 and 10054 have no name here (10046 is the effect illumination).
    enum PARAM_ID {
        PARAM_FU_ERROR_CODE = 100,
        PARAM_FU_SOFTWARE_VERSION = 101,
        PARAM_FU_HARDWARE_VERSION = 102,
        PARAM_FU_REVOLUTIONS = 103,
        PARAM_SETUP_MANAGER_BT_DEVICE_NAME = 326,
        PARAM_NOZZLE_PRESSURE = 10000,
        PARAM_NOZZLE_PRESSURE_MAX = 10057,
        PARAM_NOZZLE_SPEED = 10001,
        PARAM_BODY_SIZE = 10002,
        PARAM_MASSAGE_TIME = 10003,
        PARAM_BODY_AREA = 10004,
        PARAM_MASSAGE_PROGRAM = 10005,
        PARAM_MASSAGE_TYPE = 10006,
        PARAM_OPERATING_HOURS = 10007,
        PARAM_OPERATING_HOURS_SINCE_LAST_SERVICE = 10008,
        PARAM_TEMPERATURE_UNIT = 10009,
        PARAM_AUDIO_VOLUME_STANDBY = 10010,
        PARAM_MASSAGE_TIME_MAXIMUM = 10011,
        PARAM_MASSAGE_TIME_LOCK = 10012,
        PARAM_SETPOINT_WATER_TEMPERATURE = 10013,
        PARAM_CURRENT_WATER_TEMPERATURE = 10014,
        PARAM_AUDIO_VOLUME_SESSION_START = 10015,
        PARAM_BLUETOOTH_STATE = 10016,
        PARAM_CURRENT_DEVICE_STATUS = 10017,
        PARAM_DISPLAY_DIMMING = 10018,
        PARAM_CURRENT_MOTOR_1_POSITION = 10019,
        PARAM_CURRENT_MOTOR_2_POSITION = 10020,
        PARAM_CURRENT_MOTOR_3_POSITION = 10021,
        PARAM_SETUP_LOGIN_TIMEOUT = 10022,
        PARAM_REQUESTED_MOTOR_1_POSITION = 10023,
        PARAM_REQUESTED_MOTOR_2_POSITION = 10024,
        PARAM_REQUESTED_MOTOR_3_POSITION = 10025,
        PARAM_PUMP_MODE = 10026,
        PARAM_SESSION_CODE = 10027,
        PARAM_SETUP_SWITCHES = 10028,
        PARAM_SETUP_CODE = 10029,
        PARAM_LOGIN_TIMEOUT = 10030,
        PARAM_SHOULDER_WIDTH = 10031,
        PARAM_STANDBY_VIDEO = 10032,
        PARAM_LANGUAGE = 10036,
        PARAM_QUICKSTART_BUTTON_CONFIGURATION = 10037,
        PARAM_SPA_AROMA_PROGRAM = 10038,
        PARAM_SPA_COLOR_PROGRAM = 10039,
        PARAM_APPLIANCE_TYPE = 10040,
        PARAM_BASIC_VOLUME = 10041,
        PARAM_PAUSE_MODE = 10042,
        PARAM_NOZZLE_PRESSURE_AT_START = 10043,
        PARAM_FOLLOW_UP_COOLING_VALVE = 10044,
        PARAM_FOLLOW_UP_AMBIENT_LIGHT = 10045,
        PARAM_VOICE_VOLUME = 10047,
        PARAM_BACKGROUND_PROGRAM = 10048,
        PARAM_NFC_TAG_CREDIT = 10049,
        PARAM_CURRENT_ERROR_LIST_1 = 10051,
        PARAM_CURRENT_WARNING_LIST_1 = 10052,
        PARAM_BACKGROUND_REPLAY_TIME = 10053,
        PARAM_AUDIO_BASS = 10055,
        PARAM_AUDIO_TREBLE = 10056,
        PARAM_WATER_MIXER_TIMER = 10058,
        PARAM_PRESSURE_LIMITER_TEMPERATURE = 10059,
        PARAM_PRESSURE_LIMITER_LOWERING = 10060,
        PARAM_RECORD_CLINIC_STEP = 10104
    };
    Q_ENUM(PARAM_ID)

    // Aroma levels as the control unit expects them: 0 is off, 1-3 are 0x100 + level.
    enum SPA_AROMA_VALUE {
        SPA_AROMA_VALUE_0 = 0,
        SPA_AROMA_VALUE_1 = 257,
        SPA_AROMA_VALUE_2 = 258,
        SPA_AROMA_VALUE_3 = 259
    };
    Q_ENUM(SPA_AROMA_VALUE)

    // Range and step of the audio-volume sliders, in steps.
    enum AUDIO_INTENSITY_SETUP {
        AUDIO_INTENSITY_STEP_SIZE = 1,
        AUDIO_INTENSITY_MIN = 0,
        AUDIO_INTENSITY_MAX = 20
    };
    Q_ENUM(AUDIO_INTENSITY_SETUP)
};
