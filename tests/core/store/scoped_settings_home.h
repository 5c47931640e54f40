#pragma once

#include "platform/settings_folder.h"

#include <QByteArray>
#include <QTemporaryDir>
#include <QtGlobal>

namespace lumadex::test {

// Points the settings folder at a fresh temporary folder for the life of the object.
class ScopedSettingsHome {
public:
    ScopedSettingsHome()
        : hadPrevious_(qEnvironmentVariableIsSet(kSettingsFolderVariable)),
          previous_(qgetenv(kSettingsFolderVariable)) {
        qputenv(kSettingsFolderVariable, dir_.path().toLocal8Bit());
    }
    ~ScopedSettingsHome() {
        if (hadPrevious_)
            qputenv(kSettingsFolderVariable, previous_);
        else
            qunsetenv(kSettingsFolderVariable);
    }
    ScopedSettingsHome(const ScopedSettingsHome&) = delete;
    ScopedSettingsHome& operator=(const ScopedSettingsHome&) = delete;

    QString path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
    bool hadPrevious_;
    QByteArray previous_;
};

} // namespace lumadex::test
