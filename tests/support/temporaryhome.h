#pragma once

// Points the user's home and data folder at a fresh temporary folder for as long as it lives, so no test
// reaches the user's own files, whatever computes a path. Make it before any path is computed.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace velmora::test {

class TemporaryHome {
public:
    TemporaryHome()
    {
        qputenv("HOME", QFile::encodeName(m_dir.path()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(dataPath()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral(".config"))));
    }
    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    QString dataPath() const { return m_dir.filePath(QStringLiteral("data")); }

private:
    QTemporaryDir m_dir;
};

} // namespace velmora::test
