# Sourced by tests/install/check-install.sh and scripts/check-package.sh: one layout on
# the sample library's top view of the van, and what the installed program must make
# of it. Both callers define fail().

# A green (palette 4) rectangle of 190 x 120 cm at (200, 60) in picture pixels,
# unlocked, unturned.
write_sample_plan() {
    printf '%s\r\n' 'Kestrion 2' Fourgon_L2H2_Dessus_XY_5000_.jpg 0 0 1 100 \
        1 200 60 120 190 4 0 0 >"$1"
}

# The parts list the layout gives in the C locale (decimal point).
expected_parts() {
    printf '\xef\xbb\xbfN°;Type;Description;Largeur (cm);Hauteur (cm);X (cm);Y (cm);Surface (m²);Figé\r\n'
    printf '1;Rectangle;Vert;190;120;100;30;2.28;non\r\n'
    printf ';Total couleur;Vert : 2.28 m²;;;;;2.28;\r\n'
}

check_sample_parts() {
    cmp -s "$1" <(expected_parts) || {
        fail "the parts list differs from the expected rows:"
        diff <(expected_parts | tr -d '\r') <(tr -d '\r' <"$1") >&2 || true
    }
}

# The exported BMP: the whole van at 100 % (1100 x 538 after the crop to the drawn
# zone), the rectangle's 380 x 240 pixels entirely green, the pixels around it not.
check_sample_export() {
    local bmp=$1
    local width height
    read -r width height < <(od -An -t d4 -j 18 -N 8 "$bmp")
    if [ "$width" != 1100 ] || [ "$height" != 538 ]; then
        fail "the exported picture is $width x $height, not 1100 x 538"
        return
    fi
    local stride=$(((width * 3 + 3) / 4 * 4))
    # Rows come bottom-up, three bytes (blue, green, red) a pixel.
    local counts
    counts=$(od -An -v -t u1 -w"$stride" -j 54 "$bmp" | awk -v height="$height" '
        function green(x) { return $(3 * x + 1) == 0 && $(3 * x + 2) == 255 && $(3 * x + 3) == 0 }
        {
            y = height - NR
            inside_rows = y >= 55 && y < 295
            for (x = 149; x <= 530; ++x) {
                inside = inside_rows && x >= 150 && x < 530
                if (inside && green(x)) ++inner
                else if (!inside && (inside_rows || y == 54 || y == 295) && green(x)) ++outer
            }
        }
        END { print inner + 0, outer + 0 }')
    local inner outer
    read -r inner outer <<<"$counts"
    [ "$inner" -eq $((380 * 240)) ] ||
        fail "the rectangle has $inner green pixels of $((380 * 240))"
    [ "$outer" -eq 0 ] || fail "$outer green pixels around the rectangle"
}

# A PNG thumbnail of the plan's drawn zone, WIDTH x HEIGHT (its longer side the size
# asked for).
check_sample_thumbnail() {
    file -b "$1" | grep -q "PNG image data, $2 x $3," ||
        fail "the thumbnail is not a $2 x $3 PNG: $(file -b "$1")"
}
