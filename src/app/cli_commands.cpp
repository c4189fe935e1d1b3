// The table of marrowick-cli subcommands; each handler lives in its own cli_<name>.cpp file.
#include "app/cli_command.h"

namespace marrowick::cli {

int runVersion(std::span<const std::string> arguments);
int runValidate(std::span<const std::string> arguments);
int runDetect(std::span<const std::string> arguments);
int runImport(std::span<const std::string> arguments);
int runAcceptCarried(std::span<const std::string> arguments);
int runPackage(std::span<const std::string> arguments);
int runPresets(std::span<const std::string> arguments);
int runPlan(std::span<const std::string> arguments);
int runTimeline(std::span<const std::string> arguments);
int runShots(std::span<const std::string> arguments);
int runLabelled(std::span<const std::string> arguments);
int runDeliver(std::span<const std::string> arguments);
int runSignOff(std::span<const std::string> arguments);
int runReport(std::span<const std::string> arguments);

std::span<const Command> commands() {
    static const Command table[] = {
        {"version", "version", "Prints the program's version and the resource folder it uses.", runVersion},
        {"validate", "validate FILE", "Reads a project file and checks it as opening it would.", runValidate},
        {"detect", "detect VIDEO [--threshold T] [--json]", "Finds the shots of a film; prints start, end and score of each.", runDetect},
        {"import", "import PROJECT VIDEO [--cuts LIST]... [--carry-from EARLIER.marrowick]",
         "Imports films into a project file (created when missing): shots (detected, or from the film's cut list), "
         "thumbnails, groups, and earlier decisions on the same frames as suggestions.",
         runImport},
        {"accept-carried", "accept-carried PROJECT [--film NAME]",
         "Accepts every carried earlier decision (of one film, when named) as the shot's decision; prints each.",
         runAcceptCarried},
        {"package", "package PROJECT OUTDIR", "Validates a project file and writes its review package into OUTDIR.",
         runPackage},
        {"signoff", "signoff PROJECT --film NAME --reviewer NAME [--role ROLE]",
         "Signs off a film whose shots are all reviewed: a history entry that seals its source and decisions.",
         runSignOff},
        {"report", "report PROJECT OUT.pdf|OUT.html",
         "Writes the review report: a cover with every film's counts and sign-off, then its labelled and noted shots.",
         runReport},
        {"timeline", "timeline PROJECT OUT.otio|OUT.edl",
         "Writes the review as a timeline for the editor: one clip per shot, decisions as markers.", runTimeline},
        {"shots", "shots PROJECT [--time timecode|frames|seconds] [--film NAME] [--json]",
         "Lists the shots in film order: film, start, end (exclusive), decision, group and the note's first line, "
         "tab-separated.",
         runShots},
        {"labelled", "labelled PROJECT OUTDIR",
         "Writes a Marrowick-video- folder into OUTDIR: the review package and one labelled MOV copy per film.",
         runLabelled},
        {"presets", "presets [--json] | presets --check FILE",
         "Lists the delivery preset library (key, name, summary), or validates every preset in a preset file.", runPresets},
        {"plan", "plan PROJECT --preset KEY... [--assume-rec709] [--framing pad|crop]",
         "Probes every film and plans it for each preset: output name, raster, frame rate and warnings.", runPlan},
        {"deliver", "deliver PROJECT OUTDIR --preset KEY... [--assume-rec709] [--framing pad|crop]",
         "Encodes, verifies and documents every film for every preset in a new delivery folder inside OUTDIR.",
         runDeliver},
    };
    return table;
}

}  // namespace marrowick::cli
