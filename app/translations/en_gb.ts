<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="de_DE">
<context>
    <name>DeviceController</name>
    <message>
        <source>LANGUAGE VERSION</source>
        <translation>LANGUAGE VERSION</translation>
    </message>
    <message>
        <source>MAIN CONTROL</source>
        <translation>MAIN CONTROL</translation>
    </message>
    <message>
        <source>NODE</source>
        <translation>NODE</translation>
    </message>
    <message>
        <source>PROGRAM SELECT</source>
        <translation>PROGRAM SELECT</translation>
    </message>
    <message>
        <source>CONTROL CENTER</source>
        <translation>CONTROL CENTER</translation>
    </message>
    <message>
        <source>KEY SOUND</source>
        <translation>KEY SOUND</translation>
    </message>
    <message>
        <source>BLUETOOTH</source>
        <translation>BLUETOOTH</translation>
    </message>
    <message>
        <source>NFC CONTROL</source>
        <translation>NFC CONTROL</translation>
    </message>
    <message>
        <source>EVA</source>
        <translation>EVA</translation>
    </message>
    <message>
        <source>CONFIGURATION CONTROL</source>
        <translation>CONFIGURATION CONTROL</translation>
    </message>
    <message>
        <source>FT FAN CONTROLLER</source>
        <translation>FT FAN CONTROLLER</translation>
    </message>
    <message>
        <source>EXTENSION CONTROLLER</source>
        <translation>EXTENSION CONTROLLER</translation>
    </message>
    <message>
        <source>AUDIO CONTROL</source>
        <translation>AUDIO CONTROL</translation>
    </message>
    <message>
        <source>WATCHDOG</source>
        <translation>WATCHDOG</translation>
    </message>
    <message>
        <source>LED CONTROL 1</source>
        <translation>LED CONTROL 1</translation>
    </message>
    <message>
        <source>REMOTE SERVICE</source>
        <translation>REMOTE SERVICE</translation>
    </message>
    <message>
        <source>LED CONTROL 2</source>
        <translation>LED CONTROL 2</translation>
    </message>
    <message>
        <source>MODUL</source>
        <translation>MODULE</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>inch</source>
        <translation>inch</translation>
    </message>
    <message>
        <source>cm</source>
        <translation>cm</translation>
    </message>
    <message>
        <source>°F</source>
        <translation>°F</translation>
    </message>
    <message>
        <source>°C</source>
        <translation>°C</translation>
    </message>
    <message>
        <source>Deutsch</source>
        <translation>German</translation>
    </message>
    <message>
        <source>Englisch</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Dänisch</source>
        <translation>Danish</translation>
    </message>
    <message>
        <source>Schwedisch</source>
        <translation>Swedish</translation>
    </message>
    <message>
        <source>Norwegisch</source>
        <translation>Norwegian</translation>
    </message>
    <message>
        <source>Finnisch</source>
        <translation>Finnish</translation>
    </message>
    <message>
        <source>Estnisch</source>
        <translation>Estonian</translation>
    </message>
    <message>
        <source>Lettisch</source>
        <translation>Latvian</translation>
    </message>
    <message>
        <source>Litauisch</source>
        <translation>Lithuanian</translation>
    </message>
    <message>
        <source>Niederländisch</source>
        <translation>Dutch</translation>
    </message>
    <message>
        <source>Französisch</source>
        <translation>French</translation>
    </message>
    <message>
        <source>Italienisch</source>
        <translation>Italian</translation>
    </message>
    <message>
        <source>Spanisch</source>
        <translation>Spanish</translation>
    </message>
    <message>
        <source>Portugiesisch</source>
        <translation>Portuguese</translation>
    </message>
    <message>
        <source>Russisch</source>
        <translation>Russian</translation>
    </message>
    <message>
        <source>Polnisch</source>
        <translation>Polish</translation>
    </message>
    <message>
        <source>Tschechisch</source>
        <translation>Czech</translation>
    </message>
    <message>
        <source>Ungarisch</source>
        <translation>Hungarian</translation>
    </message>
    <message>
        <source>Schulter-Massage</source>
        <translation>Shoulder massage</translation>
    </message>
    <message>
        <source>Lenden-Massage</source>
        <translation>Lumbar massage</translation>
    </message>
    <message>
        <source>Bein-Massage</source>
        <translation>Leg massage</translation>
    </message>
    <message>
        <source>Ganzkörper-Massage</source>
        <translation>Full body massage</translation>
    </message>
    <message>
        <source>Rücken-Massage</source>
        <translation>Back massage</translation>
    </message>
    <message>
        <source>Punkt-Massage</source>
        <translation>Point massage</translation>
    </message>
    <message>
        <source>Beine Massageprogramm</source>
        <translation>Leg massage programme</translation>
    </message>
    <message>
        <source>Fitte Beine</source>
        <translation>Fit Legs</translation>
    </message>
    <message>
        <source>Rücken Massageprogramm</source>
        <translation>Back massage programme</translation>
    </message>
    <message>
        <source>Gesunder Rücken</source>
        <translation>Healthy Back</translation>
    </message>
    <message>
        <source>Ganzkörper Massageprogramm</source>
        <translation>Full body massage programme</translation>
    </message>
    <message>
        <source>Pure Entspannung</source>
        <translation>Pure Relaxation</translation>
    </message>
    <message>
        <source>Schulter Massageprogramm</source>
        <translation>Shoulder massage programme</translation>
    </message>
    <message>
        <source>Starke Schultern</source>
        <translation>Strong Shoulders</translation>
    </message>
    <message>
        <source>Muntermacher</source>
        <translation>Perk Up</translation>
    </message>
    <message>
        <source>Ganzkörper Punktmassage</source>
        <translation>Full body point massage</translation>
    </message>
    <message>
        <source>Rücken Punktmassage</source>
        <translation>Back point massage</translation>
    </message>
    <message>
        <source>Schulter Punktmassage</source>
        <translation>Shoulder point massage</translation>
    </message>
    <message>
        <source>Lenden Punktmassage</source>
        <translation>Lumbar point massage</translation>
    </message>
    <message>
        <source>Bein Punktmassage</source>
        <translation>Leg point massage</translation>
    </message>
    <message>
        <source>Oberschenkel Punktmassage</source>
        <translation>Thigh point massage</translation>
    </message>
    <message>
        <source>Ganzkörper Lymphmassage</source>
        <translation>Full body lymphatic massage</translation>
    </message>
    <message>
        <source>Bein Lymphmassage</source>
        <translation>Leg lymphatic massage</translation>
    </message>
    <message>
        <source>Oberschenkel Lymphmassage</source>
        <translation>Thigh lymphatic massage</translation>
    </message>
    <message>
        <source>Eigenes Programm</source>
        <translation>Own programme</translation>
    </message>
    <message>
        <source>Nicht ausgewählt</source>
        <translation>Not selected</translation>
    </message>
    <message>
        <source>Spiegel-Massage</source>
        <translation>Mirror massage</translation>
    </message>
    <message>
        <source>Zickzack-Massage</source>
        <translation>Zigzag massage</translation>
    </message>
    <message>
        <source>Kreis-Massage</source>
        <translation>Circle massage</translation>
    </message>
    <message>
        <source>Streich-Massage</source>
        <translation>Stroking massage</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Aus</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>Intern</source>
        <translation>Internal</translation>
    </message>
    <message>
        <source>Bluetooth ®</source>
        <translation>Bluetooth ®</translation>
    </message>
    <message>
        <source>Recharge</source>
        <translation>Recharge</translation>
    </message>
    <message>
        <source>Relax</source>
        <translation>Relax</translation>
    </message>
    <message>
        <source>Activate</source>
        <translation>Activate</translation>
    </message>
    <message>
        <source>Rainbow</source>
        <translation>Rainbow</translation>
    </message>
    <message>
        <source>Beauty Light</source>
        <translation>Beauty Light</translation>
    </message>
</context>
</TS>
