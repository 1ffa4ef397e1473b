#pragma once
// "hotkey.ini": the configured hotkeys, in file order. Read and written as a
// UTF-8 INI file with the sections "HOTKEY" and "Key_<n>". Any thread; errors
// leave the defaults (a missing file is an empty list).

#include "ControlRecords.h"

#include <QString>
#include <vector>

class CHotKeyFile
{
public:
    explicit CHotKeyFile(QString path) : path_(std::move(path)) {}

    std::vector<_HOT_KEY_STRUCT_> Load() const;
    // Sections of a longer, earlier list stay in the file.
    bool Save(const std::vector<_HOT_KEY_STRUCT_>& hotKeys) const;

private:
    QString path_;
};
