#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <stdexcept>

namespace torvik::test {

QString fixturePath(const QString &name)
{
    return QDir(QStringLiteral(TORVIK_FIXTURES_DIR)).filePath(name);
}

ScratchDir::ScratchDir()
{
    if (!dir_.isValid())
        throw std::runtime_error("cannot create a temporary folder");
}

QString ScratchDir::path(const QString &name) const
{
    return dir_.filePath(name);
}

QString ScratchDir::copyFixture(const QString &fixture, const QString &as) const
{
    const QString target = path(as.isEmpty() ? QFileInfo(fixture).fileName() : as);
    QFile::remove(target);
    if (!QFile::copy(fixturePath(fixture), target))
        throw std::runtime_error("cannot copy fixture " + fixture.toStdString());
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    return target;
}

std::string readFileBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    const QByteArray data = f.readAll();
    return std::string(data.constData(), size_t(data.size()));
}

void writeFileBytes(const QString &path, const std::string &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write " + path.toStdString());
    f.write(bytes.data(), qint64(bytes.size()));
}

} // namespace torvik::test
