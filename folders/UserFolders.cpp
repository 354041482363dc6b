#include "folders/UserFolders.h"

#include <gio/gunixmounts.h>
#include <glib.h>

#include "base/PathRules.h"
#include "platform/DriveTypes.h"
#include "platform/MountTable.h"
#include "folders/Settings.h"

namespace kov {

namespace {

std::string SpecialFolderOrHome(GUserDirectory which) {
  const char* dir = g_get_user_special_dir(which);
  if (dir && *dir) return NormalizePath(dir);
  return NormalizePath(g_get_home_dir());
}

}  // namespace

std::string DocumentsFolder() { return SpecialFolderOrHome(G_USER_DIRECTORY_DOCUMENTS); }

std::string PicturesFolder() { return SpecialFolderOrHome(G_USER_DIRECTORY_PICTURES); }

std::vector<std::string> UserVisibleMountPoints() {
  std::vector<std::string> points;
  GList* mounts = g_unix_mounts_get(nullptr);
  for (GList* item = mounts; item; item = item->next) {
    auto* mount = static_cast<GUnixMountEntry*>(item->data);
    if (g_unix_mount_guess_should_display(mount)) points.push_back(g_unix_mount_get_mount_path(mount));
  }
  g_list_free_full(mounts, reinterpret_cast<GDestroyNotify>(g_unix_mount_free));
  return points;
}

std::string ProgramFilePath() {
  gchar* target = g_file_read_link("/proc/self/exe", nullptr);
  if (!target) return "";
  std::string path(target);
  g_free(target);
  return path;
}

SettingAccess ProgramSettings() {
  SettingAccess access;
  access.get = [](const std::string& name, std::string* value) { return GetSetting(name, value); };
  access.set = [](const std::string& name, const std::string& value) { return SetSetting(name, value); };
  return access;
}

InitialFolderFacts GatherInitialFolderFacts(const SettingAccess& settings) {
  InitialFolderFacts facts;
  facts.programOnCdRom = IsProgramOnCdRom();
  if (facts.programOnCdRom) {
    VolumeInfo volume;
    if (GetVolumeInfo(ProgramFilePath(), &volume)) facts.programVolumeRoot = volume.mountPoint;
  }
  if (settings.get) facts.hasImgFolder = settings.get(kImageFolderSetting, &facts.imgFolder);
  facts.pictures = PicturesFolder();
  facts.documents = DocumentsFolder();
  return facts;
}

FolderTreeSources ProgramFolderTreeSources() {
  FolderTreeSources sources;
  sources.documents = DocumentsFolder();
  sources.mountPoints = UserVisibleMountPoints();
  sources.settings = ProgramSettings();
  SettingAccess settings = sources.settings;
  sources.initialFacts = [settings] { return GatherInitialFolderFacts(settings); };
  return sources;
}

}  // namespace kov
