#include "cli/Arguments.h"

#include "cli/Failure.h"

#include <QCommandLineParser>
#include <QStringList>

namespace torvik::cli {

Arguments::Arguments(const std::vector<std::string> &words, const std::vector<OptionSpec> &specs)
{
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    const QCommandLineOption help = parser.addHelpOption();
    for (const OptionSpec &spec : specs)
        parser.addOption(QCommandLineOption(QString::fromStdString(spec.name), QString::fromStdString(spec.description),
                                            QString::fromStdString(spec.valueName)));
    QStringList arguments{QStringLiteral("torvik-db")};
    for (const std::string &word : words)
        arguments << QString::fromUtf8(word.c_str());
    if (!parser.parse(arguments))
        throw UsageError(parser.errorText().toStdString());
    helpAsked_ = parser.isSet(help);
    for (const QString &word : parser.positionalArguments())
        positional_.push_back(word.toStdString());
    for (const OptionSpec &spec : specs) {
        const QString name = QString::fromStdString(spec.name);
        if (!parser.isSet(name))
            continue;
        options_.emplace_back(spec.name, spec.valueName.empty() ? std::string() : parser.value(name).toStdString());
    }
}

std::optional<std::string> Arguments::option(const std::string &name) const
{
    for (const auto &[optionName, value] : options_)
        if (optionName == name)
            return value;
    return std::nullopt;
}

bool Arguments::flag(const std::string &name) const
{
    return option(name).has_value();
}

std::string Arguments::nonEmptyOption(const std::string &name, const std::string &message) const
{
    const std::optional<std::string> value = option(name);
    if (!value || value->empty())
        throw UsageError(message);
    return *value;
}

void Arguments::expectPositional(std::size_t count, const std::string &synopsis) const
{
    if (positional_.size() != count)
        throw UsageError("usage: torvik-db " + synopsis);
}

} // namespace torvik::cli
