#include "engine/archive/archive_command.h"

#include <fstream>
#include <optional>
#include <ostream>

#include "engine/archive/archive_reader.h"

namespace vuzed {
namespace {

const char* const kArchiveHelp =
    "usage: vuzed-tool archive list ARCHIVE\n"
    "       vuzed-tool archive extract ARCHIVE ID [-o FILE]\n"
    "list prints one line per entry in table order: NAME<TAB>STORED<TAB>UNPACKED.\n"
    "extract writes the bytes of the first entry named ID (letter case ignored)\n"
    "to FILE, or to stdout without -o.\n"
    "Exit status: 0 done, 1 the archive cannot be read or the entry extracted,\n"
    "2 bad arguments.\n";

int Usage(std::ostream& err, const std::string& problem) {
  err << "vuzed-tool archive: " << problem << "\n" << kArchiveHelp;
  return 2;
}

int List(const std::string& archive, std::ostream& out) {
  std::ifstream file = OpenArchiveFile(archive);
  const TArchiveTable table = ReadArchiveTable(file);
  for (const TArchiveEntry& entry : table.Entries)
    out << entry.Name << '\t' << entry.StoredSize << '\t' << entry.UnpackedSize << '\n';
  return 0;
}

int Extract(const std::string& archive, const std::string& id, const std::optional<std::string>& target,
            std::ostream& out, std::ostream& err) {
  const std::string bytes = ExtractFromArchive(archive, id)->str();
  if (!target) {
    out.write(bytes.data(), std::streamsize(bytes.size()));
    return 0;
  }
  std::ofstream file(*target, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), std::streamsize(bytes.size()));
  file.close();
  if (!file) {
    err << "vuzed-tool archive: cannot write " << *target << "\n";
    return 1;
  }
  return 0;
}

}  // namespace

int ArchiveCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::vector<std::string> operands;
  std::optional<std::string> target;
  bool optionsDone = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (!optionsDone && (a == "--help" || a == "-h")) {
      out << kArchiveHelp;
      return 0;
    }
    if (!optionsDone && a == "--") {
      optionsDone = true;
    } else if (!optionsDone && a == "-o") {
      if (i + 1 == args.size()) return Usage(err, "-o needs a FILE");
      if (target) return Usage(err, "-o given twice");
      target = args[++i];
    } else if (!optionsDone && a.size() > 1 && a.front() == '-') {
      return Usage(err, "unknown option " + a);
    } else {
      operands.push_back(a);
    }
  }
  if (operands.empty()) return Usage(err, "no action given");
  const std::string& action = operands.front();
  const bool list = action == "list", extract = action == "extract";
  if (!list && !extract) return Usage(err, "unknown action \"" + action + "\"");
  if (list && (operands.size() != 2 || target)) return Usage(err, "list takes one ARCHIVE");
  if (extract && operands.size() != 3) return Usage(err, "extract takes ARCHIVE and ID");

  try {
    return list ? List(operands[1], out) : Extract(operands[1], operands[2], target, out, err);
  } catch (const std::exception& e) {
    err << e.what() << "\n";
    return 1;
  }
}

}  // namespace vuzed
