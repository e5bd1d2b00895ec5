// The databases section: the names of the Float, Integer, Status and
// String lists.
#include "docgen/doc_sections.h"

namespace k7 {

void WriteDatabasesSection(const DocSource& source, DocLines& out) {
    out.push_back("DATABASES...");
    const DatabaseLists& db = source.project.Databases;
    struct Listed {
        const std::vector<std::string>& Names;
        const char* Heading;
    };
    const Listed lists[] = {{db.Float, "FLOATING POINT DATABASE..."},
                            {db.Integer, "INTEGER DATABASE..."},
                            {db.Status, "STATUS DATABASE..."},
                            {db.String, "STRING DATABASE..."}};
    for (const Listed& list : lists) {
        if (list.Names.size() < 2) // a list of one name is left out
            continue;
        out.push_back(" ");
        out.push_back(list.Heading);
        for (const std::string& name : list.Names)
            out.push_back("   " + name);
    }
}

} // namespace k7
