// The shared library is assembled from the object libraries of its parts
// (gdi, user, afx, display); this unit only gives it a version symbol.
extern "C" const char* PlPlatformVersion()
{
    return "ovinta-platform 1";
}
