#include "scratchfolder.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <system_error>

namespace lumi::test {

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder(const std::string& label) {
    std::string name = "lumi_" + label + "_XXXXXX";
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-')
            c = '_';
    std::string pattern = (fs::temp_directory_path() / name).string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw fs::filesystem_error("cannot make a scratch folder", pattern,
                                   std::error_code(errno, std::generic_category()));
    path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
    // Tests take rights away to provoke write failures; give them back so the folder goes.
    std::error_code ignored;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    for (auto it = fs::recursive_directory_iterator(path_, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored)) {
        if (it->is_directory(ignored) && !it->is_symlink(ignored))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    std::error_code error;
    fs::remove_all(path_, error);
    if (error)
        ADD_FAILURE() << "cannot remove " << path_.string() << ": " << error.message();
}

} // namespace lumi::test
