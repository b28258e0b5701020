#pragma once

#include <QString>
#include <QStringList>

#include "config/UserError.h"

// An error of the database engine.
class EngineError : public UserError
{
public:
    using UserError::UserError;
};

// The four things the editor asks of the database engine's alias
// configuration. Each may throw EngineError.
class BdeEngine
{
public:
    virtual ~BdeEngine() = default;
    // Every alias name, in the engine's own order.
    virtual QStringList EngineAliasNames() = 0;
    // False for an empty name.
    virtual bool EngineAliasExists(const QString &alias) = 0;
    virtual QString EngineAliasDriver(const QString &alias) = 0;
    // The alias's parameters as lines "name=value".
    virtual QStringList EngineAliasParams(const QString &alias) = 0;
};

// The engine's alias configuration kept as a text file (Windows-1251): one
// section per alias, in file order; the key "Driver" gives its driver name and
// every other line of the section is one parameter, name=value; blanks around
// the name and the value are not part of them, as in KalCfg.ini. Alias names compare without letter case, as the engine's do. The file
// is read afresh by every operation, as the engine is asked afresh by every
// command.
class FileBdeEngine : public BdeEngine
{
public:
    explicit FileBdeEngine(const QString &path);

    QStringList EngineAliasNames() override;
    bool EngineAliasExists(const QString &alias) override;
    QString EngineAliasDriver(const QString &alias) override;
    QStringList EngineAliasParams(const QString &alias) override;

    // The file beside the program.
    static QString defaultPath();

private:
    struct Alias
    {
        QString name;
        QString driver;
        QStringList params;
    };
    QList<Alias> read() const;
    Alias find(const QString &alias) const;

    QString m_path;
};
