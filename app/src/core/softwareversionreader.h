#pragma once

#include <QString>
#include <QStringList>

// Reads the system's software version file ("/etc/sw_versions"): for every
// line containing "linux" of the form "<name>=<major>.<minor>[...]" it yields
// major and minor, in this order.
class SoftwareVersionReader
{
public:
    // The versions found in the file at path; empty (with a log line) when the
    // file is missing or unreadable.
    static QStringList read(const QString& path);
    // The same on the file's text, line by line.
    static QStringList parse(const QString& text);
};
