// The project file writer: what it writes reads back as the same project, paths written as a person would.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "common/Errors.h"
#include "input/ProjectFile.h"
#include "report/ProjectFileText.h"

using namespace tavrel;

namespace {

ProjectPath At(const char* path) { return ProjectPath{path, {}}; }

// A project of a form naming these files (null: none) under /home/eng.
ProjectFile Make(ProjectRoadForm form, std::initializer_list<const char*> files, std::string alignment = {},
                 std::string profAlign = {}) {
    ProjectFile p;
    p.form = form;
    auto entry = ProjectFileEntries().begin();  // plan, chain breaks, profile, superelevation, LandXML, layout
    for (const char* f : files) {
        if (f) p.*(entry->member) = At(f);
        ++entry;
    }
    p.alignment = std::move(alignment);
    p.profAlign = std::move(profAlign);
    return p;
}

}  // namespace

TEST(ProjectFileWrite, ReadsBackAsTheSameProjectWithPathsRelativeBelowTheRoot) {
    const std::filesystem::path file = "/home/eng/bridges/b1/b1.tavrel";
    struct Row {
        const char* name;
        ProjectFile project;
        const char* written;  // a line the text must hold
    } rows[] = {
        {"beside the project",
         Make(ProjectRoadForm::Straight, {nullptr, "/home/eng/bridges/b1/r.dl", "/home/eng/bridges/b1/r.zdm",
                                          "/home/eng/bridges/b1/r.cg", nullptr, "/home/eng/bridges/b1/b.txt"}),
         "chainbreaks = r.dl\n"},
        {"a folder beside another",
         Make(ProjectRoadForm::MainLine, {"/home/eng/roads/g318.jdx", "/home/eng/bridges/b1/r.dl",
                                          "/home/eng/bridges/b1/r.zdm", "/home/eng/bridges/b1/r.cg"}),
         "plan = ../../roads/g318.jdx\n"},
        {"nothing in common but the root",
         Make(ProjectRoadForm::Interchange,
              {"/srv/ramp.jdx", nullptr, "/home/eng/bridges/b1/sub/r.zdm", "/home/eng/bridges/b1/r.cg"}),
         "plan = /srv/ramp.jdx\n"},
        {"blanks at the ends and enclosing quotes are quoted",
         Make(ProjectRoadForm::Straight,
              {nullptr, "/home/eng/bridges/b1/ r.dl", "/home/eng/bridges/b1/r.zdm ", "/home/eng/bridges/b1/\"r.cg\""}),
         "superelevation = \"\"r.cg\"\"\n"},
        {"LandXML names",
         Make(ProjectRoadForm::LandXml, {nullptr, nullptr, nullptr, "/home/eng/bridges/b1/r.cg", "/home/eng/x/路.xml"},
              "匝道 A", "设计线"),
         "alignment = 匝道 A\n"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const std::string text = ProjectFileText(r.project, file);
        EXPECT_NE(text.find(r.written), std::string::npos) << text;
        const ProjectFile back = ParseProjectFile(text, file.parent_path());
        EXPECT_EQ(back.form, r.project.form);
        for (const ProjectFileEntry& e : ProjectFileEntries()) {
            ASSERT_EQ((back.*e.member).has_value(), (r.project.*e.member).has_value()) << e.key;
            if (back.*e.member) {
                EXPECT_EQ((back.*e.member)->path, (r.project.*e.member)->path) << e.key;
            }
        }
        EXPECT_EQ(back.alignment, r.project.alignment);
        EXPECT_EQ(back.profAlign, r.project.profAlign);
    }
}

TEST(ProjectFileWrite, TheExampleProjectsAreAsTheWriterWritesThem) {
    for (const char* name : {"straight", "mainline", "interchange"}) {
        SCOPED_TRACE(name);
        const std::filesystem::path file =
            std::filesystem::path(TAVREL_EXAMPLES_DIR) / name / (std::string(name) + ".tavrel");
        std::ostringstream bytes;
        bytes << std::ifstream(file, std::ios::binary).rdbuf();
        EXPECT_EQ(ProjectFileText(ReadProjectFile(file), file), bytes.str());
    }
}

TEST(ProjectFileWrite, APathThatIsNotOneLineOfUtf8IsRefused) {
    for (const char* path : {"/home/a/r\n.dl", "/home/a/\xC7\xC5.dl"}) {
        const ProjectFile p = Make(ProjectRoadForm::Straight, {nullptr, path, "/home/a/r.zdm", "/home/a/r.cg"});
        EXPECT_THROW(ProjectFileText(p, "/home/a/p.tavrel"), WriteError) << path;
    }
}
