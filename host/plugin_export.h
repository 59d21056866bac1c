// The calling convention and export of the plug-in's entry, kept in one place.
// A 32-bit Windows host calls the entry as stdcall, which decorates it as _AvisynthPluginInit2@4;
// everywhere else the platform's default convention applies and the name stays plain.
#pragma once

#if defined(_WIN32) && !defined(_WIN64)
#define PLUGIN_CC __stdcall
#else
#define PLUGIN_CC
#endif

#if defined(_WIN32)
#define PLUGIN_EXPORT extern "C" __declspec(dllexport)
#else
#define PLUGIN_EXPORT extern "C" __attribute__((visibility("default")))
#endif
