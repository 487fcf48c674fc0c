<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="de_DE">
<context>
    <name>DeviceController</name>
    <message>
        <source>LANGUAGE VERSION</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MAIN CONTROL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>NODE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PROGRAM SELECT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CONTROL CENTER</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KEY SOUND</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BLUETOOTH</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>NFC CONTROL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EVA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CONFIGURATION CONTROL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FT FAN CONTROLLER</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EXTENSION CONTROLLER</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AUDIO CONTROL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WATCHDOG</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LED CONTROL 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>REMOTE SERVICE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LED CONTROL 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MODUL</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>inch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>°F</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>°C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deutsch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Englisch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dänisch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Schwedisch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Norwegisch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Finnisch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Estnisch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lettisch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Litauisch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Niederländisch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Französisch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Italienisch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spanisch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Portugiesisch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Russisch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Polnisch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tschechisch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ungarisch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Schulter-Massage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lenden-Massage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bein-Massage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ganzkörper-Massage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rücken-Massage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Punkt-Massage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Beine Massageprogramm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fitte Beine</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rücken Massageprogramm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gesunder Rücken</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ganzkörper Massageprogramm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pure Entspannung</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Schulter Massageprogramm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Starke Schultern</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Muntermacher</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ganzkörper Punktmassage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rücken Punktmassage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Schulter Punktmassage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lenden Punktmassage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bein Punktmassage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Oberschenkel Punktmassage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ganzkörper Lymphmassage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bein Lymphmassage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Oberschenkel Lymphmassage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Eigenes Programm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nicht ausgewählt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spiegel-Massage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zickzack-Massage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kreis-Massage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Streich-Massage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aus</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Intern</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bluetooth ®</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recharge</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Relax</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Activate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rainbow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Beauty Light</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
