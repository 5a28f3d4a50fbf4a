#include "app/window/RecentProjects.h"

#include <QSettings>

namespace tavrel::window {

namespace {

const QString kRecentKey = QStringLiteral("projects/recent");

QSettings Settings() { return QSettings(QSettings::NativeFormat, QSettings::UserScope, "Tavrel", "tavrel"); }

}  // namespace

RecentProjects::RecentProjects() {
    files_ = Settings().value(kRecentKey).toStringList();
    files_.removeAll(QString());
    while (files_.size() > kMaxRecentProjects) files_.removeLast();
}

void RecentProjects::add(const QString& file) {
    files_.removeAll(file);
    files_.prepend(file);
    while (files_.size() > kMaxRecentProjects) files_.removeLast();
    save();
}

void RecentProjects::remove(const QString& file) {
    files_.removeAll(file);
    save();
}

void RecentProjects::clear() {
    files_.clear();
    save();
}

void RecentProjects::save() const {
    QSettings settings = Settings();
    settings.setValue(kRecentKey, files_);
}

}  // namespace tavrel::window
