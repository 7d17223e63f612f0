#pragma once

#include <QString>
#include <QTemporaryDir>

#include <string>

namespace torvik::test {

// Absolute path of a file under ../shared/fixtures.
QString fixturePath(const QString &name);

// A scratch folder that is removed with the object. Fixtures are copied in
// before a test writes to them; the originals are never touched.
class ScratchDir {
public:
    ScratchDir();
    QString path(const QString &name) const;
    // Copies a fixture in (writable) and returns the copy's path.
    QString copyFixture(const QString &fixture, const QString &as = {}) const;

private:
    QTemporaryDir dir_;
};

// Whole-file helpers for byte-level assertions.
std::string readFileBytes(const QString &path);
void writeFileBytes(const QString &path, const std::string &bytes);

} // namespace torvik::test
