// frameserve: runs scripts of video filters on real media. The work lives in frameserve_cli.
#include <cstdio>
#include <exception>
#include <new>
#include <string>
#include <vector>

#include "frameserver/cli/app.h"
#include "frameserver/cli/command_line.h"

namespace {

int Report(const char* what, int status) {
  std::fprintf(stderr, "%s\n", frameserve::ErrorLine(what).c_str());
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return frameserve::RunTool(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const frameserve::UsageError& error) {
    return Report(error.what(), 2);
  } catch (const std::bad_alloc&) {
    return Report("out of memory", 1);
  } catch (const std::exception& error) {
    return Report(error.what(), 1);
  } catch (...) {
    return Report("failed with an error of unknown kind", 1);
  }
}
