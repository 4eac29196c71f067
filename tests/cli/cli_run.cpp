#include "cli_run.h"

#include "cli/cli_app.h"

#include <sstream>

namespace tes::test {

CliRun RunEnviroScript(const std::vector<std::string>& args) {
    std::vector<const char*> argv{"enviro-script"};
    for (const std::string& arg : args)
        argv.push_back(arg.c_str());
    std::ostringstream out;
    std::ostringstream err;
    CliRun run;
    run.status = cli::RunCli(static_cast<int>(argv.size()), argv.data(), out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::string SmallProject::writeTo(const TempDir& dir) const {
    if (writeTxt)
        dir.write("P.txt", txt);
    dir.write("P.scn", scn);
    dir.write("P.est", est);
    return dir.write("P.prj", "");
}

} // namespace tes::test
