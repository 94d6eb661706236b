#pragma once

#include <QString>
#include <QStringList>

// A position in the Universal Transverse Mercator grid.
struct UTM
{
    double Easting = 0;  // metres
    double Northing = 0; // metres
    QString Zone;        // zone number and latitude band letter, such as "33T"
};

struct LatLong
{
    double latitude = 0;  // degrees
    double longitude = 0; // degrees
};

// Row 0 is a placeholder; rows 1 to 23 are the reference ellipsoids offered.
constexpr int ellipsoidCount = 24;
extern const char* const Ellipsoid_Name[ellipsoidCount];
extern const double Equatorial_Radius[ellipsoidCount];
extern const double Eccentricity_Squared[ellipsoidCount];

// The names of rows 1 to 23, in table order.
QStringList ellipsoidNames();

double GPS_rad(double degrees);
// Great-circle (haversine) distance in kilometres on a sphere of radius 6378.137 km.
double CalcDistance(double lat1, double lng1, double lat2, double lng2);
// Latitude band letter; 'Z' outside -80..84.
char UTM_Letter_Designator(double lat);
// Ellipsoid is the table row (1 to 23); another row gives an empty result.
UTM LatLong_to_UTM(int ellipsoid, double lat, double lng);
LatLong UTM_to_LatLong(int ellipsoid, const UTM& utm);
