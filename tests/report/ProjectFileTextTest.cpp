// The project file writer: what it writes reads back as the same project, paths written as a person would.
#include <gtest/gtest.h>

#include "common/Errors.h"
#include "input/ProjectFile.h"
#include "report/ProjectFileText.h"

using namespace tavrel;

TEST(ProjectFileWrite, ReadsBackAsTheSameProjectWithPathsRelativeBelowTheRoot) {
    const std::filesystem::path file = "/home/eng/bridges/b1/b1.tavrel";
    const struct {
        const char* name;
        ProjectRoadForm form;
        std::vector<const char*> files;  // plan, chain breaks, profile, superelevation, LandXML, layout; null: none
        const char* written;             // a line the text must hold
    } rows[] = {
        {"beside the project",
         ProjectRoadForm::Straight,
         {nullptr, "/home/eng/bridges/b1/r.dl", "/home/eng/bridges/b1/r.zdm", "/home/eng/bridges/b1/r.cg", nullptr,
          "/home/eng/bridges/b1/b.txt"},
         "chainbreaks = r.dl\n"},
        {"a folder beside another and nothing in common but the root",
         ProjectRoadForm::Interchange,
         {"/home/eng/roads/g318.jdx", nullptr, "/srv/r.zdm", "/home/eng/bridges/b1/sub/r.cg"},
         "plan = ../../roads/g318.jdx\nprofile = /srv/r.zdm\nsuperelevation = sub/r.cg\n"},
        {"blanks at the ends and enclosing quotes are quoted",
         ProjectRoadForm::Straight,
         {nullptr, "/home/eng/bridges/b1/ r.dl", "/home/eng/bridges/b1/r.zdm ", "/home/eng/bridges/b1/\"r.cg\""},
         "chainbreaks = \" r.dl\"\nprofile = \"r.zdm \"\nsuperelevation = \"\"r.cg\"\"\n"},
        {"LandXML names",
         ProjectRoadForm::LandXml,
         {nullptr, nullptr, nullptr, nullptr, "/home/x/路.xml"},
         "landxml = ../../../x/路.xml\nalignment = 匝道 A\nprofalign = 设计线\n"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        ProjectFile p;
        p.form = r.form;
        for (std::size_t i = 0; i < r.files.size(); ++i)
            if (r.files[i]) p.*(ProjectFileEntries()[i].member) = ProjectPath{r.files[i], {}};
        if (r.form == ProjectRoadForm::LandXml) p.alignment = "匝道 A", p.profAlign = "设计线";
        const std::string text = ProjectFileText(p, file);
        EXPECT_NE(text.find(r.written), std::string::npos) << text;
        const ProjectFile back = ParseProjectFile(text, file.parent_path());
        EXPECT_EQ(back.form, p.form);
        for (const ProjectFileEntry& e : ProjectFileEntries())
            EXPECT_EQ((back.*e.member).value_or(ProjectPath{}).path, (p.*e.member).value_or(ProjectPath{}).path);
        EXPECT_EQ(back.alignment + "|" + back.profAlign, p.alignment + "|" + p.profAlign);
    }
    ProjectFile gbkName;
    gbkName.chainBreaks = gbkName.profile = gbkName.superelevation = ProjectPath{"/home/a/\xC7\xC5.dl", {}};
    EXPECT_THROW(ProjectFileText(gbkName, "/home/a/p.tavrel"), WriteError) << "a name that is not UTF-8";
}
