// Placeholder translation unit so the platform library exists before its first module lands.
namespace torvik::win32 {}
