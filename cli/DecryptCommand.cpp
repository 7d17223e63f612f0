// torvik-db decrypt: turns an encrypted file back into a plain one.

#include "cli/CliDatabase.h"
#include "cli/Command.h"
#include "cli/Failure.h"

namespace torvik::cli {

namespace {

class DecryptCommand : public Command {
public:
    std::string name() const override { return "decrypt"; }
    std::string synopsis() const override { return "decrypt FILE --password P"; }
    std::string description() const override
    {
        return "Decrypts a database file encrypted with password P; any SQLite tool reads it\n"
               "afterwards.";
    }
    std::vector<OptionSpec> options() const override { return {passwordOption()}; }
    int run(const Arguments &args) override
    {
        args.expectPositional(1, synopsis());
        const std::string password = args.nonEmptyOption("password", "decrypt needs the file's --password");
        CliDatabase db(args.positional()[0], password);
        db.requireReadable();
        db.rekey({});
        return 0;
    }
};

const CommandRegistration<DecryptCommand> registration;

} // namespace

} // namespace torvik::cli
