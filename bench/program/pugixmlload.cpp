// pugixml-load FILE: the yardstick of bench-program. Reads FILE into a pugixml DOM and
// exits 0 when it parsed, the least a program can do that looks at every byte.
#include <pugixml.hpp>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 2)
        return 2;
    pugi::xml_document doc;
    const pugi::xml_parse_result result = doc.load_file(argv[1]);
    if (!result) {
        std::fprintf(stderr, "pugixml-load: %s\n", result.description());
        return 1;
    }
    return 0;
}
