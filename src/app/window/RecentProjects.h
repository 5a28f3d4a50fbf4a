#pragma once
// The projects opened or saved last, newest first, kept between runs of the program (QSettings).
#include <QString>
#include <QStringList>

namespace tavrel::window {

inline constexpr int kMaxRecentProjects = 5;

class RecentProjects {
public:
    // The list as the last run left it.
    RecentProjects();

    const QStringList& files() const { return files_; }
    // Puts an absolute path first (once), keeping at most kMaxRecentProjects.
    void add(const QString& file);
    void remove(const QString& file);
    void clear();

private:
    void save() const;
    QStringList files_;
};

}  // namespace tavrel::window
