#!/usr/bin/env bash
# Makes one Windows Installer package per target from build-win64/ and
# build-win32/ (build them first with scripts/build-windows.sh):
# dist/logora-suite-<version>-win64.msi and -win32.msi. Each installs the
# programs and DLLs under Program Files\Logora Suite, the help pages with the
# help folder value the help library reads, the programs' folder on the
# system PATH and two Start menu entries (a command prompt with the programs
# on its path, the help pages); the SDK feature (headers, import libraries)
# is chosen with ADDLOCAL=ALL. A newer package replaces an older one.
# Usage: scripts/package-msi.sh [--version X.Y.Z] [--out DIR] [--target win64|win32]
set -euo pipefail
cd "$(dirname "$0")/.."

project_version=$(sed -n 's/^project(logora-suite VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
version=$project_version
out=dist
targets=(win64 win32)
while [ $# -gt 0 ]; do
  case "$1" in
    --version) version=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    --target) targets=("$2"); shift 2 ;;
    *) echo "package-msi: unknown argument $1" >&2; exit 2 ;;
  esac
done

if ! command -v wixl >/dev/null || ! command -v msibuild >/dev/null || ! command -v unzip >/dev/null; then
  [ "$(id -u)" -eq 0 ] || { echo "package-msi: missing: install wixl, msitools and unzip" >&2; exit 1; }
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends wixl msitools unzip >/dev/null
fi
mkdir -p "$out"

# Escapes a text for an XML attribute.
xml() { sed -e 's/&/\&amp;/g' -e 's/"/\&quot;/g' -e 's/</\&lt;/g' <<<"$1"; }

# One component per file. The toolset takes sources relative to the folder
# it runs in only.
file_component() {  # id source
  printf '<Component Id="%s" Guid="*" Win64="%s"><File Id="%s" Source="%s" KeyPath="yes"/></Component>\n' \
    "$1" "$win64" "$1" "$(xml "$(realpath --relative-to=. "$2")")"
}

for target in "${targets[@]}"; do
  build=build-$target
  if [ "$target" = win64 ]; then
    # 64-bit components: their values go to the registry's 64-bit view.
    arch=x64 programs=ProgramFiles64Folder upgrade=5B0F3C2E-8A41-4D7B-9E26-1F4C7A9D3B51 win64=yes
  else
    arch=x86 programs=ProgramFilesFolder upgrade=C7D21A94-3E5B-4F08-B6A3-92E4D10F6C27 win64=no
  fi
  for product in logora.exe vettle.exe ordil.dll guidara.dll; do
    [ -f "$build/bin/$product" ] || { echo "package-msi: $build/bin/$product is missing; run scripts/build-windows.sh" >&2; exit 1; }
  done
  stage=$(mktemp -d)
  # The zip's README, which speaks of the same files.
  zip=dist/logora-suite-$project_version-$target.zip
  [ -f "$zip" ] || scripts/package-windows.sh >/dev/null
  unzip -p "$zip" "logora-suite-$project_version-$target/README.txt" >"$stage/README.txt"

  help_dirs=""
  help_refs=""
  for page_dir in guidara/help/*/Help; do
    product=$(basename "$(dirname "$page_dir")")
    components=""
    for page in "$page_dir"/*.htm; do
      id="Help_${product}_$(basename "$page" .htm)"
      components+=$(file_component "$id" "$page")
      help_refs+="<ComponentRef Id=\"$id\"/>"
    done
    help_dirs+="<Directory Id=\"Help_$product\" Name=\"$product\"><Directory Id=\"Help_${product}_Pages\" Name=\"Help\">$components</Directory></Directory>"
  done

  cat >"$stage/suite.wxs" <<WXS
<?xml version="1.0" encoding="utf-8"?>
<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi">
  <Product Id="*" Name="Logora Suite" Language="1033" Version="$version" Manufacturer="Kestra Applications" UpgradeCode="$upgrade">
    <Package InstallerVersion="500" Compressed="yes" InstallScope="perMachine" Description="Logora Suite $version ($target)"/>
    <MajorUpgrade DowngradeErrorMessage="A newer version of Logora Suite is already installed."/>
    <Media Id="1" Cabinet="suite.cab" EmbedCab="yes"/>
    <Directory Id="TARGETDIR" Name="SourceDir">
      <Directory Id="$programs">
        <Directory Id="INSTALLDIR" Name="Logora Suite">
          $(file_component Program_logora "$build/bin/logora.exe")
          $(file_component Program_vettle "$build/bin/vettle.exe")
          $(file_component Library_ordil "$build/bin/ordil.dll")
          $(file_component Library_guidara "$build/bin/guidara.dll")
          $(file_component ReadMe "$stage/README.txt")
          <Component Id="ProgramsOnPath" Guid="*" Win64="$win64">
            <RegistryValue Root="HKLM" Key="SOFTWARE\\Kestra Applications\\Logora Suite" Name="InstallDir" Type="string" Value="[INSTALLDIR]" KeyPath="yes"/>
          </Component>
          <Directory Id="HELPDIR" Name="help">
            <Component Id="HelpFolderValue" Guid="*" Win64="$win64">
              <RegistryValue Root="HKLM" Key="SOFTWARE\\Tarrow Software\\Setup\\Default\\Common" Name="KestraCommonHelpDir" Type="string" Value="[HELPDIR]" KeyPath="yes"/>
            </Component>
            $help_dirs
          </Directory>
          <Directory Id="IncludeDir" Name="include">
            $(file_component Header_ordil "ordil/include/ordil.h")
            $(file_component Header_guidara "guidara/include/guidara.h")
          </Directory>
          <Directory Id="LibDir" Name="lib">
            $(file_component ImportLibrary_ordil "$build/ordil/ordil.lib")
            $(file_component ImportLibrary_guidara "$build/guidara/guidara.lib")
          </Directory>
        </Directory>
      </Directory>
      <Directory Id="ProgramMenuFolder">
        <Directory Id="MenuDir" Name="Logora Suite">
          <Component Id="MenuEntries" Guid="*" Win64="$win64">
            <Shortcut Id="CommandPrompt" Name="Logora Command Prompt" Description="A command prompt with logora and vettle on its path"
                      Target="[SystemFolder]cmd.exe" Arguments='/k "set PATH=[INSTALLDIR];%PATH%&amp;&amp; logora --version"' WorkingDirectory="PersonalFolder"/>
            <Shortcut Id="LogoraHelp" Name="Logora Help" Target="[HELPDIR]Logora\\Help\\2001.htm"/>
            <Shortcut Id="VettleHelp" Name="Vettle Help" Target="[HELPDIR]Vettle\\Help\\1001.htm"/>
            <RemoveFolder Id="MenuDir" On="uninstall"/>
            <RegistryValue Root="HKLM" Key="SOFTWARE\\Kestra Applications\\Logora Suite" Name="StartMenu" Type="integer" Value="1" KeyPath="yes"/>
          </Component>
        </Directory>
      </Directory>
      <Directory Id="PersonalFolder"/>
    </Directory>
    <Feature Id="Programs" Title="Programs and libraries" Level="1" Absent="disallow">
      <ComponentRef Id="Program_logora"/><ComponentRef Id="Program_vettle"/>
      <ComponentRef Id="Library_ordil"/><ComponentRef Id="Library_guidara"/>
      <ComponentRef Id="ReadMe"/><ComponentRef Id="ProgramsOnPath"/><ComponentRef Id="MenuEntries"/>
    </Feature>
    <Feature Id="Help" Title="Help pages" Level="1">
      <ComponentRef Id="HelpFolderValue"/>$help_refs
    </Feature>
    <Feature Id="SDK" Title="Headers and import libraries" Level="1000">
      <ComponentRef Id="Header_ordil"/><ComponentRef Id="Header_guidara"/>
      <ComponentRef Id="ImportLibrary_ordil"/><ComponentRef Id="ImportLibrary_guidara"/>
    </Feature>
  </Product>
</Wix>
WXS
  msi=$out/logora-suite-$version-$target.msi
  rm -f "$msi"
  wixl -a "$arch" -o "$msi" "$stage/suite.wxs"

  # The toolset writes no Environment table: the PATH entry (appended to the
  # system PATH on install, taken out on removal) and its two actions are
  # added to the package afterwards.
  printf 'Environment\tName\tValue\tComponent_\ns72\tl255\tL255\ts72\nEnvironment\tEnvironment\nProgramsOnPath\t=-*PATH\t[~];[INSTALLDIR]\tProgramsOnPath\n' \
    >"$stage/Environment.idt"
  msiinfo export "$msi" InstallExecuteSequence >"$stage/InstallExecuteSequence.idt"
  printf 'RemoveEnvironmentStrings\t\t3300\nWriteEnvironmentStrings\t\t5200\n' >>"$stage/InstallExecuteSequence.idt"
  msibuild "$msi" -i "$stage/Environment.idt"
  msibuild "$msi" -i "$stage/InstallExecuteSequence.idt"
  rm -rf "$stage"
  echo "package-msi: $msi"
done
