// tazuna98-cli: the day report, odds, analysis, CSV and bet files from the command line.
#include "cli_app.h"

int main(int argc, char** argv) { return tz::cli::Run(argc, argv); }
