# shellcheck shell=bash
# shellcheck disable=SC2034 # the T_ arrays are read by the scripts that source this
# Sourced by make-material.sh and make-cloud.sh: reads demo/tools.list and
# derives the names both scripts must agree on.

# catalog_load FILE: fills the arrays below, indexed by tool key, and
# CATALOG_KEYS (the keys in ascending order). Fails on a malformed line.
catalog_load() {
  local file=$1 line n=0
  local -a f
  CATALOG_KEYS=()
  T_TYPE=() T_EN=() T_CH=() T_VERSION=() T_EXE=() T_PAYLOAD=() T_ISDOWN=()
  T_DETAILS=() T_BRIEF_EN=() T_BRIEF_CH=() T_UPDATE_EN=() T_UPDATE_CH=() T_DATE=()
  while IFS= read -r line || [ -n "$line" ]; do
    n=$((n + 1))
    case "$line" in '' | '#'*) continue ;; esac
    IFS='|' read -r -a f <<<"$line"
    if [ "${#f[@]}" -ne 14 ]; then
      echo "$file:$n: ${#f[@]} fields, 14 expected" >&2
      return 1
    fi
    local key=${f[0]}
    if ! [[ $key =~ ^[0-9]+$ ]] || [ "$key" -lt 2 ]; then
      echo "$file:$n: tool key '$key' is not a number of 2 or more" >&2
      return 1
    fi
    if [ -n "${T_EN[$key]+set}" ]; then
      echo "$file:$n: tool key $key appears twice" >&2
      return 1
    fi
    if ! [[ ${f[4]} =~ ^[0-9]+\.[0-9]+\.[0-9]+\.[0-9]+$ ]]; then
      echo "$file:$n: version '${f[4]}' is not four numbers" >&2
      return 1
    fi
    if ! [[ ${f[5]} =~ ^[A-Za-z0-9_]+\.exe$ ]]; then
      echo "$file:$n: ExeName '${f[5]}' must be a plain name ending in .exe" >&2
      return 1
    fi
    if ! [[ ${f[2]} =~ ^[A-Za-z0-9]+$ ]]; then
      echo "$file:$n: English name '${f[2]}' must be letters and digits (it names folders)" >&2
      return 1
    fi
    local i
    for i in 1 6 7 8; do
      if ! [[ ${f[$i]} =~ ^[0-9]+$ ]]; then
        echo "$file:$n: field $((i + 1)) ('${f[$i]}') is not a whole number" >&2
        return 1
      fi
    done
    T_TYPE[key]=${f[1]}
    T_EN[key]=${f[2]}
    T_CH[key]=${f[3]}
    T_VERSION[key]=${f[4]}
    T_EXE[key]=${f[5]}
    T_PAYLOAD[key]=${f[6]}
    T_ISDOWN[key]=${f[7]}
    T_DETAILS[key]=${f[8]}
    T_BRIEF_EN[key]=${f[9]}
    T_BRIEF_CH[key]=${f[10]}
    T_UPDATE_EN[key]=${f[11]}
    T_UPDATE_CH[key]=${f[12]}
    T_DATE[key]=${f[13]}
  done <"$file"
  # Indexed arrays list their indices in ascending order.
  CATALOG_KEYS=("${!T_EN[@]}")
  if [ "${#CATALOG_KEYS[@]}" -eq 0 ]; then
    echo "$file: no tools" >&2
    return 1
  fi
}

# tool_folder KEY: the tool's folder under SubTools/, ExeName without ".exe"
# (a "_x64" marker stays).
tool_folder() { local exe=${T_EXE[$1]}; echo "${exe%.exe}"; }

# tool_program KEY: the executable's file name on Linux: ExeName without
# "_x64" and without ".exe".
tool_program() { local exe=${T_EXE[$1]//_x64/}; echo "${exe%.exe}"; }

# tool_package KEY: the package path relative to a cloud endpoint. The
# package is named after the tool's folder, the folder the service cleans
# before unpacking over an older version.
tool_package() { local folder; folder=$(tool_folder "$1"); echo "tools/$folder/$folder.zip"; }

# tool_size KEY: the catalog's ToolSize in MiB: the payload plus 0.1 MiB for
# the program, its readme and the version file.
tool_size() { echo "${T_PAYLOAD[$1]}.1"; }

# xml_escape TEXT
xml_escape() {
  local s=$1
  s=${s//&/&amp;}
  s=${s//</&lt;}
  s=${s//>/&gt;}
  s=${s//\"/&quot;}
  s=${s//\'/&apos;}
  printf '%s' "$s"
}
