#include "platform/Settings.h"

#include <QSettings>
#include <QString>

namespace platform
{

struct Settings::Store
{
    std::unique_ptr<QSettings> settings;
};

namespace
{

QString keyOf(const std::string& section, const std::string& key)
{
    return QString::fromStdString(section + "/" + key);
}

} // namespace

Settings::Settings(const std::string& organisation, const std::string& application, const std::string& folder)
    : store_(std::make_unique<Store>())
{
    if (folder.empty())
        store_->settings =
            std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                        QString::fromStdString(organisation), QString::fromStdString(application));
    else
        store_->settings = std::make_unique<QSettings>(
            QString::fromStdString(folder + "/" + organisation + "/" + application + ".ini"), QSettings::IniFormat);
}

Settings::~Settings() = default;

std::string Settings::readString(const std::string& section, const std::string& key) const
{
    return store_->settings->value(keyOf(section, key)).toString().toStdString();
}

void Settings::writeString(const std::string& section, const std::string& key, const std::string& value)
{
    store_->settings->setValue(keyOf(section, key), QString::fromStdString(value));
}

void Settings::remove(const std::string& section, const std::string& key)
{
    store_->settings->remove(keyOf(section, key));
}

void Settings::sync()
{
    store_->settings->sync();
}

} // namespace platform
