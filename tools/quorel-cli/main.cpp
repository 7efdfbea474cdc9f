// quorel-cli: the editing engine from the command line.
#include <iostream>

#include "commands.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  quorel::cli::EndsAfterCommand = true;
  return quorel::cli::Run(args, std::cout, std::cerr);
}
