#include "gps/UTMconversion.h"

#include <algorithm>
#include <cmath>

const char* const Ellipsoid_Name[ellipsoidCount] = {"Null",
                                                    "Airy",
                                                    "Australian National",
                                                    "Bessel 1841",
                                                    "Bessel 1841 (Nambia) ",
                                                    "Clarke 1866",
                                                    "Clarke 1880",
                                                    "Everest",
                                                    "Fischer 1960 (Mercury) ",
                                                    "Fischer 1968",
                                                    "GRS 1967",
                                                    "GRS 1980",
                                                    "Helmert 1906",
                                                    "Hough",
                                                    "International",
                                                    "Krassovsky",
                                                    "Modified Airy",
                                                    "Modified Everest",
                                                    "Modified Fischer 1960",
                                                    "South American 1969",
                                                    "WGS 60",
                                                    "WGS 66",
                                                    "WGS-72",
                                                    "WGS-84"};

const double Equatorial_Radius[ellipsoidCount] = {0,       6377563, 6378160, 6377397, 6377484, 6378206,
                                                  6378249, 6377276, 6378166, 6378150, 6378160, 6378137,
                                                  6378200, 6378270, 6378388, 6378245, 6377340, 6377304,
                                                  6378155, 6378160, 6378165, 6378145, 6378135, 6378137};

const double Eccentricity_Squared[ellipsoidCount] = {
    0,           0.00667054,  0.006694542, 0.006674372, 0.006674372, 0.006768658, 0.006803511, 0.006637847,
    0.006693422, 0.006693422, 0.006694605, 0.00669438,  0.006693422, 0.00672267,  0.00672267,  0.006693422,
    0.00667054,  0.006637847, 0.006693422, 0.006694542, 0.006693422, 0.006694542, 0.006694318, 0.00669438};

namespace {

constexpr double k0 = 0.9996;
constexpr double deg2rad = 0.017453292519944444;
constexpr double rad2deg = 57.29577951307855;

bool validRow(int ellipsoid)
{
    return ellipsoid >= 1 && ellipsoid < ellipsoidCount;
}

} // namespace

QStringList ellipsoidNames()
{
    QStringList names;
    for (int row = 1; row < ellipsoidCount; ++row)
        names << QString::fromLatin1(Ellipsoid_Name[row]);
    return names;
}

double GPS_rad(double degrees)
{
    return degrees * 3.1415926535898 / 180.0;
}

double CalcDistance(double lat1, double lng1, double lat2, double lng2)
{
    const double phi1 = GPS_rad(lat1);
    const double phi2 = GPS_rad(lat2);
    const double dPhi = std::sin((phi1 - phi2) / 2);
    const double dLambda = std::sin((GPS_rad(lng1) - GPS_rad(lng2)) / 2);
    // Rounding can push the term a hair past 1 for antipodal points; asin would give NaN.
    const double a = std::clamp(dPhi * dPhi + std::cos(phi1) * std::cos(phi2) * dLambda * dLambda, 0.0, 1.0);
    return 2 * std::asin(std::sqrt(a)) * 6378.137;
}

char UTM_Letter_Designator(double lat)
{
    if (lat <= 84 && lat >= 72)
        return 'X';
    static const char bands[] = "CDEFGHJKLMNPQRSTUVW"; // 8 degrees each from -80
    if (lat < 72 && lat >= -80)
        return bands[static_cast<int>(std::floor((lat + 80) / 8))];
    return 'Z';
}

UTM LatLong_to_UTM(int ellipsoid, double lat, double lng)
{
    UTM utm;
    if (!validRow(ellipsoid) || !std::isfinite(lat) || !std::isfinite(lng))
        return utm;
    const double a = Equatorial_Radius[ellipsoid];
    const double e2 = Eccentricity_Squared[ellipsoid];

    const double turns = std::trunc((lng + 180) / 360);
    const double L = (lng + 180) - turns * 360 - 180;
    int zone = static_cast<int>((L + 180) / 6) + 1;
    if (lat >= 56.0 && lat < 64.0 && L >= 3.0 && L < 12.0)
        zone = 32;
    if (lat >= 72.0 && lat < 84.0) {
        if (L >= 0.0 && L < 9.0)
            zone = 31;
        else if (L >= 9.0 && L < 21.0)
            zone = 33;
        else if (L >= 21.0 && L < 33.0)
            zone = 35;
        else if (L >= 33.0 && L < 42.0)
            zone = 37;
    }
    const double centralMeridian = (zone - 1) * 6 - 180 + 3;
    utm.Zone = QString::number(zone) + QLatin1Char(UTM_Letter_Designator(lat));

    const double phi = lat * deg2rad;
    const double ep2 = e2 / (1 - e2);
    const double N = a / std::sqrt(1 - e2 * std::sin(phi) * std::sin(phi));
    const double T = std::tan(phi) * std::tan(phi);
    const double C = ep2 * std::cos(phi) * std::cos(phi);
    const double A = std::cos(phi) * (L - centralMeridian) * deg2rad;
    const double e4 = e2 * e2;
    const double e6 = e4 * e2;
    const double M =
        a * ((1 - e2 / 4 - 3 * e4 / 64 - 5 * e6 / 256) * phi -
             (3 * e2 / 8 + 3 * e4 / 32 + 45 * e6 / 1024) * std::sin(2 * phi) +
             (15 * e4 / 256 + 45 * e6 / 1024) * std::sin(4 * phi) - (35 * e6 / 3072) * std::sin(6 * phi));

    utm.Easting = k0 * N *
                      (A + (1 - T + C) * A * A * A / 6 +
                       (5 - 18 * T + T * T + 72 * C - 58 * ep2) * A * A * A * A * A / 120) +
                  500000.0;
    utm.Northing = k0 * (M + N * std::tan(phi) *
                                 (A * A / 2 + (5 - T + 9 * C + 4 * C * C) * A * A * A * A / 24 +
                                  (61 - 58 * T + T * T + 600 * C - 330 * ep2) * A * A * A * A * A * A / 720));
    if (lat < 0)
        utm.Northing += 10000000.0;
    return utm;
}

LatLong UTM_to_LatLong(int ellipsoid, const UTM& utm)
{
    LatLong result;
    if (!validRow(ellipsoid))
        return result;
    const double a = Equatorial_Radius[ellipsoid];
    const double e2 = Eccentricity_Squared[ellipsoid];

    const QByteArray zoneText = utm.Zone.toLatin1();
    int i = 0;
    int zone = 0;
    while (i < zoneText.size() && zoneText[i] >= '0' && zoneText[i] <= '9' && zone < 1000)
        zone = zone * 10 + (zoneText[i++] - '0');
    // A band letter below 'N' (or none) is the southern hemisphere.
    const signed char letter = i < zoneText.size() ? static_cast<signed char>(zoneText[i]) : 0;
    const bool northern = letter >= 'N';

    const double x = utm.Easting - 500000.0;
    const double y = northern ? utm.Northing : utm.Northing - 10000000.0;
    const double centralMeridian = (zone - 1) * 6 - 180 + 3;
    const double ep2 = e2 / (1 - e2);
    const double e1 = (1 - std::sqrt(1 - e2)) / (1 + std::sqrt(1 - e2));

    const double M = y / k0;
    const double mu = M / (a * (1 - e2 / 4 - 3 * e2 * e2 / 64 - 5 * e2 * e2 * e2 / 256));
    const double phi1 = mu + (3 * e1 / 2 - 27 * e1 * e1 * e1 / 32) * std::sin(2 * mu) +
                        (21 * e1 * e1 / 16 - 55 * e1 * e1 * e1 * e1 / 32) * std::sin(4 * mu) +
                        (151 * e1 * e1 * e1 / 96) * std::sin(6 * mu);

    const double s = std::sin(phi1);
    const double N1 = a / std::sqrt(1 - e2 * s * s);
    const double T1 = std::tan(phi1) * std::tan(phi1);
    const double C1 = ep2 * std::cos(phi1) * std::cos(phi1);
    const double R1 = a * (1 - e2) / std::pow(1 - e2 * s * s, 1.5);
    const double D = x / (N1 * k0);

    const double lat =
        phi1 - (N1 * std::tan(phi1) / R1) *
                   (D * D / 2 - (5 + 3 * T1 + 10 * C1 - 4 * C1 * C1 - 9 * ep2) * D * D * D * D / 24 +
                    (61 + 90 * T1 + 298 * C1 + 45 * T1 * T1 - 252 * ep2 - 3 * C1 * C1) * D * D * D * D * D *
                        D / 720);
    const double lng =
        (D - (1 + 2 * T1 + C1) * D * D * D / 6 +
         (5 - 2 * C1 + 28 * T1 - 3 * C1 * C1 + 8 * ep2 + 24 * T1 * T1) * D * D * D * D * D / 120) /
        std::cos(phi1);
    result.latitude = lat * rad2deg;
    result.longitude = centralMeridian + lng * rad2deg;
    return result;
}
