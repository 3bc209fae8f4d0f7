#pragma once
// A fresh folder for each test, removed afterwards.

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace trazel::essais {

class Dossier_temporaire : public ::testing::Test {
  protected:
    void SetUp() override
    {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        dossier_ =
            std::filesystem::temp_directory_path() / ("trazel-" + std::to_string(::getpid()) + "-" +
                                                      test->test_suite_name() + "-" + test->name());
        std::filesystem::remove_all(dossier_);
        std::filesystem::create_directories(dossier_);
    }
    void TearDown() override
    {
        std::filesystem::permissions(dossier_, std::filesystem::perms::owner_all);
        std::filesystem::remove_all(dossier_);
    }
    // Writes a file of the folder; returns its path.
    std::string Ecrire(const std::string& nom, const std::string& contenu)
    {
        const std::filesystem::path chemin = dossier_ / nom;
        std::ofstream(chemin, std::ios::binary) << contenu;
        return chemin.string();
    }
    std::filesystem::path dossier_;
};

} // namespace trazel::essais
