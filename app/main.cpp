#include <cstdio>

int main()
{
    std::puts("Corvane is built; its window is not part of this build yet.");
    return 0;
}
