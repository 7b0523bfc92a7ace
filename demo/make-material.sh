#!/usr/bin/env bash
# Writes a catalog material from demo/tools.list: OUT_DIR/ToolsFile/ with
# the catalog ToolsInfoList.xml, the tool icons, the banner pictures and the
# detail pictures, as the client reads them from its ToolsFile folder.
# Usage: make-material.sh OUT_DIR VERSION   (VERSION: the material's, a.b.c.d)
# Needs bash, coreutils and rsvg-convert (librsvg2-bin); the Chinese texts
# are drawn with Noto Sans CJK SC (fonts-noto-cjk). The output depends only
# on tools.list and VERSION.
set -euo pipefail
usage="usage: make-material.sh OUT_DIR VERSION"
out_dir=${1:?$usage}
version=${2:?$usage}
here=$(cd "$(dirname "$0")" && pwd)
list=${GEARLOFT_TOOLS_LIST:-$here/tools.list}
# Character counts below must count characters, not bytes.
export LC_ALL=C.UTF-8

if ! [[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+\.[0-9]+$ ]]; then
  echo "make-material.sh: version '$version' is not four numbers" >&2
  exit 2
fi
if ! command -v rsvg-convert >/dev/null 2>&1; then
  echo "make-material.sh: rsvg-convert is missing (apt-get install librsvg2-bin)" >&2
  exit 1
fi
# shellcheck source-path=SCRIPTDIR source=catalog.sh
. "$here/catalog.sh"
catalog_load "$list"

# The main program's own version, carried as catalog key 1.
client_version=1.1.0.5
# Tools with banner pictures (tool keys; key 11 only in the Chinese set).
banner_keys=(2 4 5 8 9 11 14)
font="Noto Sans CJK SC"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
files=$out_dir/ToolsFile
rm -rf "$files"
mkdir -p "$files/Icon" "$files/BannerImages/zh" "$files/BannerImages/en" "$files/DetailImages"

# --- looks of a tool --------------------------------------------------------

# colour_of KEY and initials_of KEY: the icon's colour and letters. Tools
# not in the table get a colour from a fixed ring and their first two
# letters.
colour_of() {
  case $1 in
    2) echo "#2E86DE" ;; 3) echo "#E67E22" ;; 4) echo "#16A085" ;; 5) echo "#E74C3C" ;;
    6) echo "#43A047" ;; 7) echo "#8E44AD" ;; 8) echo "#D35400" ;; 9) echo "#0097A7" ;;
    10) echo "#546E7A" ;; 11) echo "#C0392B" ;; 12) echo "#3949AB" ;; 13) echo "#7CB342" ;;
    14) echo "#37474F" ;;
    *)
      local ring=("#1E88E5" "#F4511E" "#00897B" "#6D4C41" "#5E35B1" "#C2185B")
      echo "${ring[$(($1 % ${#ring[@]}))]}"
      ;;
  esac
}
initials_of() {
  case $1 in
    2) echo SW ;; 3) echo DL ;; 4) echo PL ;; 5) echo TQ ;; 6) echo VM ;; 7) echo SF ;;
    8) echo RK ;; 9) echo FD ;; 10) echo SG ;; 11) echo AN ;; 12) echo DB ;; 13) echo MW ;;
    14) echo SA ;;
    *) local n=${T_EN[$1]}; echo "${n:0:1}${n:1:1}" | tr '[:lower:]' '[:upper:]' ;;
  esac
}
# icon_base KEY: the icons' common name; the shortcut icon is BASE.ico.
icon_base() { echo "${T_EN[$1],,}"; }

type_name() { # type_name TYPE LANG
  case "$1:$2" in
    1:zh) echo "系统工具" ;; 1:en) echo "System tools" ;;
    2:zh) echo "网络工具" ;; 2:en) echo "Network tools" ;;
    3:zh) echo "办公影音" ;; 3:en) echo "Office and media" ;;
    *:zh) echo "实用工具" ;; *) echo "Utilities" ;;
  esac
}

# --- text ---------------------------------------------------------------------

# wrap_text TEXT UNITS: TEXT in lines of at most UNITS width units, one per
# output line; an ASCII character counts 1, any other character 2. Latin
# words stay whole; closing punctuation never starts a line.
wrap_text() {
  local text=$1 max=$2 i c word="" space=0
  local -a toks=() sps=()
  for ((i = 0; i < ${#text}; i++)); do
    c=${text:i:1}
    if [[ $c == ' ' ]]; then
      if [ -n "$word" ]; then toks+=("$word"); sps+=("$space"); word=""; space=0; fi
      space=1
    elif [[ $c == [[:ascii:]] ]]; then
      word+=$c
    else
      if [ -n "$word" ]; then toks+=("$word"); sps+=("$space"); word=""; space=0; fi
      toks+=("$c"); sps+=("$space"); space=0
    fi
  done
  if [ -n "$word" ]; then toks+=("$word"); sps+=("$space"); fi
  local line="" width=0 t w sep
  # shellcheck disable=SC1111 # closing quotation marks, meant literally
  local closing="，。、；：！？）》」』”’,.;:!?)"
  for ((i = 0; i < ${#toks[@]}; i++)); do
    t=${toks[i]}
    if [[ $t == [[:ascii:]]* ]]; then w=${#t}; else w=2; fi
    sep=0
    if [ -n "$line" ] && [ "${sps[i]}" = 1 ]; then sep=1; fi
    if [ -n "$line" ] && [ $((width + sep + w)) -gt "$max" ] && [[ $closing != *"${t:0:1}"* ]]; then
      printf '%s\n' "$line"
      line=$t
      width=$w
    else
      [ "$sep" = 1 ] && line+=" "
      line+=$t
      width=$((width + sep + w))
    fi
  done
  [ -n "$line" ] && printf '%s\n' "$line"
  return 0
}

# text_block X Y SIZE LEADING WIDTH MAXLINES ATTRIBUTES TEXT: SVG text
# elements for TEXT wrapped into WIDTH pixels at font size SIZE, at most
# MAXLINES lines (an ellipsis ends a cut text). A width unit of wrap_text
# is taken as half the font size: a Chinese character fills the font size,
# Latin letters are about half as wide.
text_block() {
  local x=$1 y=$2 size=$3 leading=$4 width=$5 maxlines=$6 attrs=$7 text=$8
  local units=$((width * 2 / size))
  local -a lines
  mapfile -t lines < <(wrap_text "$text" "$units")
  if [ "${#lines[@]}" -gt "$maxlines" ]; then
    lines=("${lines[@]:0:maxlines}")
    lines[maxlines - 1]+="…"
  fi
  local l
  for l in "${lines[@]}"; do
    printf '<text x="%s" y="%s" font-size="%s" %s>%s</text>\n' "$x" "$y" "$size" "$attrs" "$(xml_escape "$l")"
    y=$((y + leading))
  done
}

name_in() { if [ "$2" = zh ]; then echo "${T_CH[$1]}"; else echo "${T_EN[$1]}"; fi; }
brief_in() { if [ "$2" = zh ]; then echo "${T_BRIEF_CH[$1]}"; else echo "${T_BRIEF_EN[$1]}"; fi; }
update_in() { if [ "$2" = zh ]; then echo "${T_UPDATE_CH[$1]}"; else echo "${T_UPDATE_EN[$1]}"; fi; }

# --- pictures -----------------------------------------------------------------

svg_open() { # svg_open WIDTH HEIGHT
  printf '<svg xmlns="http://www.w3.org/2000/svg" width="%s" height="%s" viewBox="0 0 %s %s" font-family="%s">\n' \
    "$1" "$2" "$1" "$2" "$font"
}

# tile KEY X Y SIZE INVERTED: the tool's mark, a rounded square with its
# initials: white letters on the tool's colour, or the colour on white when
# INVERTED is 1 (for coloured backgrounds).
tile() {
  local key=$1 x=$2 y=$3 size=$4 inverted=$5 colour fill ink
  colour=$(colour_of "$key")
  if [ "$inverted" = 1 ]; then fill="#FFFFFF"; ink=$colour; else fill=$colour; ink="#FFFFFF"; fi
  printf '<g transform="translate(%s %s) scale(%s)">\n' "$x" "$y" "$(ratio "$size" 128)"
  printf '<rect x="4" y="4" width="120" height="120" rx="28" fill="%s"/>\n' "$fill"
  if [ "$inverted" != 1 ]; then
    printf '<path d="M4 32a28 28 0 0 1 28-28h64a28 28 0 0 1 28 28v28H4z" fill="#FFFFFF" fill-opacity="0.14"/>\n'
  fi
  printf '<text x="64" y="83" text-anchor="middle" font-size="50" font-weight="bold" fill="%s" letter-spacing="1">%s</text>\n' \
    "$ink" "$(initials_of "$key")"
  printf '</g>\n'
}

# ratio A B: A / B with four decimals, in shell arithmetic.
ratio() {
  local q=$(($1 * 10000 / $2))
  printf '%d.%04d' $((q / 10000)) $((q % 10000))
}

render() { # render SVG PNG [WIDTH HEIGHT]
  if [ $# -ge 4 ]; then
    rsvg-convert -w "$3" -h "$4" "$1" -o "$2"
  else
    rsvg-convert "$1" -o "$2"
  fi
}

# byte N: one byte of value N (0 to 255).
byte() { printf '%b' "\\x$(printf %02x "$1")"; }
# Little-endian integers for the icon container.
le16() { byte $(($1 & 255)); byte $((($1 >> 8) & 255)); }
le32() { le16 $(($1 & 65535)); le16 $((($1 >> 16) & 65535)); }

# write_ico OUT PNG SIZE [PNG SIZE ...]: a Windows icon file whose entries
# are the given PNG pictures (square, SIZE pixels, 256 at most).
write_ico() {
  local out=$1; shift
  local count=$(($# / 2)) offset png size bytes
  offset=$((6 + 16 * count))
  {
    le16 0; le16 1; le16 "$count"
    local args=("$@") i
    for ((i = 0; i < ${#args[@]}; i += 2)); do
      png=${args[i]} size=${args[i + 1]}
      bytes=$(stat -c %s "$png")
      byte $((size % 256)); byte $((size % 256)); byte 0; byte 0
      le16 1; le16 32; le32 "$bytes"; le32 "$offset"
      offset=$((offset + bytes))
    done
    for ((i = 0; i < ${#args[@]}; i += 2)); do cat "${args[i]}"; done
  } >"$out"
}

make_icons() { # make_icons KEY
  local key=$1 base
  base=$(icon_base "$key")
  { svg_open 128 128; tile "$key" 0 0 128 0; echo '</svg>'; } >"$work/icon.svg"
  render "$work/icon.svg" "$files/Icon/${base}_min.png" 32 32
  render "$work/icon.svg" "$files/Icon/${base}_mid.png" 96 96
  render "$work/icon.svg" "$files/Icon/${base}_max.png" 128 128
  render "$work/icon.svg" "$work/ico16.png" 16 16
  render "$work/icon.svg" "$work/ico48.png" 48 48
  write_ico "$files/Icon/$base.ico" "$work/ico16.png" 16 "$files/Icon/${base}_min.png" 32 "$work/ico48.png" 48
}

make_banner() { # make_banner KEY LANG
  local key=$1 lang=$2 colour name more
  colour=$(colour_of "$key")
  name=$(name_in "$key" "$lang")
  if [ "$lang" = zh ]; then more="查看详情"; else more="See details"; fi
  {
    svg_open 730 280
    printf '<rect width="730" height="280" fill="%s"/>\n' "$colour"
    printf '<path d="M470 0H730V280H380z" fill="#FFFFFF" fill-opacity="0.10"/>\n'
    printf '<circle cx="612" cy="140" r="118" fill="#FFFFFF" fill-opacity="0.10"/>\n'
    tile "$key" 532 60 160 1
    printf '<text x="48" y="62" font-size="16" fill="#FFFFFF" fill-opacity="0.85">%s</text>\n' \
      "$(xml_escape "$(type_name "${T_TYPE[$key]}" "$lang")")"
    printf '<text x="48" y="110" font-size="40" font-weight="bold" fill="#FFFFFF">%s</text>\n' "$(xml_escape "$name")"
    text_block 48 150 18 28 420 2 'fill="#FFFFFF"' "$(brief_in "$key" "$lang")"
    printf '<rect x="48" y="212" width="136" height="36" rx="18" fill="#FFFFFF"/>\n'
    printf '<text x="116" y="236" text-anchor="middle" font-size="15" font-weight="bold" fill="%s">%s</text>\n' \
      "$colour" "$more"
    echo '</svg>'
  } >"$work/banner.svg"
  render "$work/banner.svg" "$files/BannerImages/$lang/${key}_max.png"
  {
    svg_open 278 94
    printf '<rect width="278" height="94" fill="%s"/>\n' "$colour"
    printf '<path d="M200 0H278V94H170z" fill="#FFFFFF" fill-opacity="0.10"/>\n'
    tile "$key" 16 17 60 1
    printf '<text x="90" y="44" font-size="19" font-weight="bold" fill="#FFFFFF">%s</text>\n' "$(xml_escape "$name")"
    printf '<text x="90" y="68" font-size="13" fill="#FFFFFF" fill-opacity="0.9">%s</text>\n' \
      "$(xml_escape "$(type_name "${T_TYPE[$key]}" "$lang") · V${T_VERSION[$key]}")"
    echo '</svg>'
  } >"$work/thumb.svg"
  render "$work/thumb.svg" "$files/BannerImages/$lang/${key}_min.png"
}

# detail_body KEY LANG INDEX: the inside of a detail picture's mock window
# (x 24 to 744, y 64 to 406); four layouts by index.
detail_body() {
  local key=$1 lang=$2 index=$3 colour label
  colour=$(colour_of "$key")
  case $((index % 4)) in
    0) # the tool at a glance
      tile "$key" 72 130 128 0
      printf '<text x="240" y="150" font-size="28" font-weight="bold" fill="#333333">%s</text>\n' \
        "$(xml_escape "$(name_in "$key" "$lang")")"
      text_block 240 188 17 28 450 3 'fill="#666666"' "$(brief_in "$key" "$lang")"
      printf '<rect x="240" y="290" width="132" height="36" rx="4" fill="%s"/>\n' "$colour"
      if [ "$lang" = zh ]; then label="开始使用"; else label="Start"; fi
      printf '<text x="306" y="314" text-anchor="middle" font-size="15" fill="#FFFFFF">%s</text>\n' "$label"
      ;;
    1) # what the new version brings
      if [ "$lang" = zh ]; then label="V${T_VERSION[$key]} 新版特性"; else label="New in V${T_VERSION[$key]}"; fi
      printf '<text x="64" y="118" font-size="24" font-weight="bold" fill="#333333">%s</text>\n' "$(xml_escape "$label")"
      printf '<rect x="64" y="134" width="48" height="4" rx="2" fill="%s"/>\n' "$colour"
      text_block 64 180 17 30 620 3 'fill="#555555"' "$(update_in "$key" "$lang")"
      local r
      for r in 0 1 2; do
        printf '<circle cx="76" cy="%s" r="7" fill="%s"/>\n' $((290 + r * 34)) "$colour"
        printf '<rect x="96" y="%s" width="%s" height="10" rx="5" fill="#E6E6E6"/>\n' $((285 + r * 34)) \
          $((420 - ((key * 29 + r * 61) % 160)))
      done
      ;;
    2) # an overview chart
      if [ "$lang" = zh ]; then label="数据概览"; else label="Overview"; fi
      printf '<text x="64" y="112" font-size="20" font-weight="bold" fill="#333333">%s</text>\n' "$label"
      printf '<line x1="64" y1="370" x2="704" y2="370" stroke="#CCCCCC" stroke-width="2"/>\n'
      local b h
      for b in 0 1 2 3 4 5 6 7 8 9; do
        h=$((40 + (key * 37 + b * 53 + index * 11) % 190))
        printf '<rect x="%s" y="%s" width="36" height="%s" rx="3" fill="%s" fill-opacity="%s"/>\n' \
          $((84 + b * 62)) $((368 - h)) "$h" "$colour" "$([ $((b % 3)) = 0 ] && echo 1 || echo 0.55)"
      done
      ;;
    *) # a list with progress
      if [ "$lang" = zh ]; then label="任务列表"; else label="Tasks"; fi
      printf '<text x="64" y="112" font-size="20" font-weight="bold" fill="#333333">%s</text>\n' "$label"
      local r w
      for r in 0 1 2 3 4; do
        w=$((120 + (key * 41 + r * 67) % 360))
        printf '<rect x="64" y="%s" width="640" height="40" rx="4" fill="%s"/>\n' $((136 + r * 50)) \
          "$([ $((r % 2)) = 0 ] && echo '#F7F8FA' || echo '#FFFFFF')"
        printf '<circle cx="86" cy="%s" r="7" fill="%s"/>\n' $((156 + r * 50)) "$colour"
        printf '<rect x="106" y="%s" width="200" height="10" rx="5" fill="#D9D9D9"/>\n' $((151 + r * 50))
        printf '<rect x="340" y="%s" width="340" height="8" rx="4" fill="#E6E6E6"/>\n' $((152 + r * 50))
        printf '<rect x="340" y="%s" width="%s" height="8" rx="4" fill="%s"/>\n' $((152 + r * 50)) \
          "$((w < 340 ? w : 340))" "$colour"
      done
      ;;
  esac
}

make_details() { # make_details KEY
  local key=$1 lang dir count=${T_DETAILS[$1]} i label
  for lang in zh en; do
    if [ "$lang" = zh ]; then dir=CH; else dir=EN; fi
    mkdir -p "$files/DetailImages/${T_EN[$key]}/$dir"
    for ((i = 0; i < count; i++)); do
      {
        svg_open 768 426
        printf '<rect width="768" height="426" fill="#EEF1F4"/>\n'
        printf '<rect x="24.5" y="20.5" width="719" height="385" rx="8" fill="#FFFFFF" stroke="#D5D8DC"/>\n'
        printf '<path d="M24.5 64V28.5a8 8 0 0 1 8-8h703a8 8 0 0 1 8 8V64z" fill="%s"/>\n' "$(colour_of "$key")"
        tile "$key" 36 28 28 1
        printf '<text x="74" y="48" font-size="15" fill="#FFFFFF">%s</text>\n' "$(xml_escape "$(name_in "$key" "$lang")")"
        printf '<g stroke="#FFFFFF" stroke-width="2" stroke-linecap="round">'
        printf '<path d="M680 42h12"/><path d="M712 36l12 12M724 36l-12 12"/></g>\n'
        detail_body "$key" "$lang" "$i"
        printf '<text x="720" y="394" text-anchor="end" font-size="12" fill="#999999">%s / %s</text>\n' $((i + 1)) "$count"
        echo '</svg>'
      } >"$work/detail.svg"
      render "$work/detail.svg" "$files/DetailImages/${T_EN[$key]}/$dir/${T_EN[$key]}_$i.png"
    done
  done
}

# --- the catalog file ---------------------------------------------------------

element() { printf '    <%s>%s</%s>\n' "$1" "$(xml_escape "$2")" "$1"; }

# entry KEY TYPE CH EN VERSION MIN MID MAX BRIEF_CH BRIEF_EN UPDATE_CH UPDATE_EN EXE DATE SIZE ISDOWN DETAILS CHURL ENURL
entry() {
  echo '  <Tool>'
  element ToolKey "$1"; element ToolType "$2"; element ToolCHName "$3"; element ToolENName "$4"
  element Version "$5"; element IconMinName "$6"; element IconMidName "$7"; element IconMaxName "$8"
  element BriefCHIntro "$9"; element BriefENIntro "${10}"; element UpdateCHIntro "${11}"
  element UpdateENIntro "${12}"; element ExeName "${13}"; element updateDate "${14}"
  element ToolSize "${15}"; element IsDown "${16}"; element DetailImagesNum "${17}"
  element DownloadCHUrl "${18}"; element DownloadENUrl "${19}"
  echo '  </Tool>'
}

write_catalog() {
  local key base package today=${T_DATE[${CATALOG_KEYS[0]}]}
  for key in "${CATALOG_KEYS[@]}"; do [[ ${T_DATE[key]} > $today ]] && today=${T_DATE[key]}; done
  echo '<?xml version="1.0" encoding="UTF-8"?>'
  echo '<ToolsInfoList>'
  entry 0 0 "素材包" "Material" "$version" "" "" "" "工具目录、图标和图片。" "The tool catalog, icons and pictures." \
    "" "" "" "$today" 0 0 0 "" ""
  entry 1 0 "Gearloft" "Gearloft" "$client_version" "" "" "" "工具管家主程序。" "The tool manager itself." \
    "" "" "Gearloft.exe" "$today" 0 0 0 "" ""
  for key in "${CATALOG_KEYS[@]}"; do
    base=$(icon_base "$key")
    package=$(tool_package "$key")
    entry "$key" "${T_TYPE[key]}" "${T_CH[key]}" "${T_EN[key]}" "${T_VERSION[key]}" \
      "${base}_min.png" "${base}_mid.png" "${base}_max.png" "${T_BRIEF_CH[key]}" "${T_BRIEF_EN[key]}" \
      "${T_UPDATE_CH[key]}" "${T_UPDATE_EN[key]}" "${T_EXE[key]}" "${T_DATE[key]}" "$(tool_size "$key")" \
      "${T_ISDOWN[key]}" "${T_DETAILS[key]}" "$package" "$package"
  done
  echo '</ToolsInfoList>'
}

write_catalog >"$files/ToolsInfoList.xml"
for key in "${CATALOG_KEYS[@]}"; do
  make_icons "$key"
  make_details "$key"
done
for key in "${banner_keys[@]}"; do
  [ -n "${T_EN[$key]+set}" ] || continue
  make_banner "$key" zh
  # The English catalog has no card for key 11, so no banner either.
  [ "$key" = 11 ] || make_banner "$key" en
done
echo "material $version written to $files"
