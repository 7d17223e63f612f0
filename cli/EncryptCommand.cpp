// torvik-db encrypt: gives a plain file a password, or changes the password
// of an encrypted one.

#include "cli/CliDatabase.h"
#include "cli/Command.h"
#include "cli/Failure.h"

namespace torvik::cli {

namespace {

class EncryptCommand : public Command {
public:
    std::string name() const override { return "encrypt"; }
    std::string synopsis() const override { return "encrypt FILE --password P [--old-password O]"; }
    std::string description() const override
    {
        return "Encrypts a plain database file with password P. With --old-password, the file is\n"
               "already encrypted with O and gets P instead (P may equal O).";
    }
    std::vector<OptionSpec> options() const override { return {passwordOption("the new password (UTF-8)"), {"old-password", "O", "the password the file has now"}}; }
    int run(const Arguments &args) override
    {
        args.expectPositional(1, synopsis());
        const std::string password = args.nonEmptyOption("password", "encrypt needs a non-empty --password");
        CliDatabase db(args.positional()[0], args.option("old-password"));
        db.requireReadable();
        db.rekey(password);
        return 0;
    }
};

const CommandRegistration<EncryptCommand> registration;

} // namespace

} // namespace torvik::cli
