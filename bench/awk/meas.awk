# The measurement conversion of the benchmark's records (UNITS m,d; SS station
# lines; SD, HD, HV and XYZ observations) into the three outputs, written in
# awk as the comparison for the same work: coordinates in the first layout,
# the angle-distance table and the angle table.
# usage: mawk -v coord=C -v ad=AD -v ang=A -f meas.awk FILE
function inverse(n) { return n ^ -1 }
function truncate(v,    nearest) {
    nearest = sprintf("%.0f", v) + 0
    if ((v - nearest < 0 ? nearest - v : v - nearest) <= 1e-9 * ((v < 0 ? -v : v) > 1 ? (v < 0 ? -v : v) : 1))
        return nearest
    return int(v)
}
function radians(x,    d, h, wh, minutes, s100, degrees) {
    d = truncate(x); h = x * 100.0; wh = truncate(h)
    minutes = wh - d * 100.0; s100 = h - wh
    degrees = ((s100 * inverse(3600.0)) * 100.0 + minutes * inverse(60.0)) + d
    return (degrees * inverse(180.0)) * 3.1415926
}
function angle(v) { return sprintf("%.4f(%s)", v * 0.0001, unit) }
function metres(v) { return sprintf("%.3f%s", v, dist) }
BEGIN { RS = "\r\n" }
{
    space = index($0, " "); tag = substr($0, 1, space - 1)
    n = split(substr($0, space + 1), f, ",")
    if (tag == "UNITS") { dist = f[1]; unit = f[2] == "d" ? "dms" : f[2] }
    else if (tag == "XYZ") {
        rows++; points++
        printf "%s,%.3f,%.3f,%.3f\r\n", pname, f[1] * 0.001, f[2] * 0.001, f[3] * 0.001 > coord
    } else if (tag == "HD" || tag == "SD") {
        rows++
        if (!adHeader++) printf "PT#\t\tHR/HL\t\tHD\t\tVH\t\tPCode\r\n" > ad
        d = f[2] * 0.001; h = f[3] * 0.001
        if (tag == "SD") { z = radians(f[2] * 0.0001); d = h * sin(z); d = d < 0 ? -d : d; h = h * cos(z) }
        printf "%s\t\t%s\t%s\t\t%s\t\t%s\r\n", pname, angle(f[1]), metres(d), metres(h), pcode > ad
    } else if (tag == "HV") {
        rows++
        if (!angHeader++) printf "PT#\t\tHR/HL\t\tHV\t\t\tPCode\r\n" > ang
        printf "%s\t\t%s\t\t%s\t\t%s\r\n", pname, angle(f[1]), angle(f[2]), pcode > ang
    }
    pname = f[1]; pcode = f[3]
}
