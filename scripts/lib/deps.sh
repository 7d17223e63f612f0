# Installs the Debian packages the project needs, only when some are missing.
# Sourced by scripts/test, scripts/run and scripts/bench.

TORVIK_PACKAGES=(
  build-essential cmake pkg-config
  qt6-base-dev libsqlite3-dev pxlib-dev libgtest-dev
  sqlite3 xvfb xauth imagemagick fonts-wqy-microhei
  qt6-translations-l10n locales libxml2-utils
)

torvik_install_deps() {
  local missing=()
  local p
  for p in "${TORVIK_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# The text-form tests run under a German locale (a comma as decimal
# separator); generate it when the machine lacks it.
torvik_install_test_locale() {
  locale -a 2>/dev/null | grep -qx 'de_DE\.utf8' && return 0
  echo "Generating the locale de_DE.UTF-8"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8
}

torvik_jobs() {
  nproc 2>/dev/null || echo 2
}
