#pragma once

// The connection's companion components: SQL run at the first connect,
// pragmas run at every connect, and log settings that are only held.

#include <QObject>

#include <string>
#include <vector>

namespace torvik::dataset {

class TSqliteInlineSQL : public QObject {
    Q_OBJECT
public:
    explicit TSqliteInlineSQL(QObject *owner = nullptr) : QObject(owner) {}
    const std::vector<std::string> &SQL() const { return sql_; }
    // Copies the lines: later changes of the caller's list do not reach here.
    void setSQL(const std::vector<std::string> &lines) { sql_ = lines; }

private:
    std::vector<std::string> sql_;
};

class TSqlitePragma : public QObject {
    Q_OBJECT
public:
    explicit TSqlitePragma(QObject *owner = nullptr) : QObject(owner) {}

    int TempCacheSize() const { return tempCacheSize_; }
    void setTempCacheSize(int v) { tempCacheSize_ = v; }
    int DefaultCacheSize() const { return defaultCacheSize_; }
    void setDefaultCacheSize(int v) { defaultCacheSize_ = v; }
    const std::string &DefaultSynchronous() const { return defaultSynchronous_; }
    void setDefaultSynchronous(const std::string &v) { defaultSynchronous_ = v; }
    const std::string &DefaultTempStore() const { return defaultTempStore_; }
    void setDefaultTempStore(const std::string &v) { defaultTempStore_ = v; }
    const std::string &TempStore() const { return tempStore_; }
    void setTempStore(const std::string &v) { tempStore_ = v; }
    const std::string &Synchronous() const { return synchronous_; }
    void setSynchronous(const std::string &v) { synchronous_ = v; }

    // The statements to run, in order, for the properties that are set.
    std::vector<std::string> Statements() const;

private:
    int tempCacheSize_ = 0;
    int defaultCacheSize_ = 0;
    std::string defaultSynchronous_;
    std::string defaultTempStore_;
    std::string tempStore_;
    std::string synchronous_;
};

class TSqliteLog : public QObject {
    Q_OBJECT
public:
    explicit TSqliteLog(QObject *owner = nullptr) : QObject(owner) {}

    const std::string &LogFile() const { return logFile_; }
    void setLogFile(const std::string &v) { logFile_ = v; }
    bool LogDebugOut() const { return logDebugOut_; }
    void setLogDebugOut(bool v) { logDebugOut_ = v; }
    bool Append() const { return append_; }
    void setAppend(bool v) { append_ = v; }
    bool LogSQL() const { return logSQL_; }
    void setLogSQL(bool v) { logSQL_ = v; }
    bool LogInternals() const { return logInternals_; }
    void setLogInternals(bool v) { logInternals_ = v; }

private:
    std::string logFile_;
    bool logDebugOut_ = false;
    bool append_ = false;
    bool logSQL_ = false;
    bool logInternals_ = false;
};

} // namespace torvik::dataset
