#include "editors_modbus_bacnet/modbus_texts.h"

std::vector<TLangBlock> Modbus_Lang_Blocks()
{
    // Entries 1978, 1989, 2045 and 2098 are read by no window and hold a blank.
    return {
        {1900,
         {
             QStringLiteral("Modbus Master Set Access"),  // 1900
             QStringLiteral("Set the Modbus Master Rules"),  // 1901
             QStringLiteral("OK"),  // 1902
             QStringLiteral("Cancel"),  // 1903
             QStringLiteral("Delete Row"),  // 1904
             QStringLiteral("Insert Row"),  // 1905
             QStringLiteral("Copy Row"),  // 1906
             QStringLiteral("Paste Row"),  // 1907
             QStringLiteral("Confirm and save the List of Modbus Rules"),  // 1908
             QStringLiteral("Exit without save the List of Modbus Rules"),  // 1909
             QStringLiteral("Delete the Selected Row in the table"),  // 1910
             QStringLiteral("Insert a Row in the Table"),  // 1911
             QStringLiteral("Copy all Fields of the Selected Row"),  // 1912
             QStringLiteral("Paste the Copied Fields in the Selected Row"),  // 1913
             QStringLiteral("Modbus Read"),  // 1914
             QStringLiteral("Modbus Write"),  // 1915
             QStringLiteral("N"),  // 1916
             QStringLiteral("Enable"),  // 1917
             QStringLiteral("Slave ID"),  // 1918
             QStringLiteral("Type"),  // 1919
             QStringLiteral("Address"),  // 1920
             QStringLiteral("NPoint"),  // 1921
             QStringLiteral("Poll Time"),  // 1922
             QStringLiteral("Max Error"),  // 1923
             QStringLiteral("Position"),  // 1924
             QStringLiteral("Start Bit"),  // 1925
             QStringLiteral("Swap"),  // 1926
             QStringLiteral("Mnemonic"),  // 1927
             QStringLiteral("N"),  // 1928
             QStringLiteral("Enable"),  // 1929
             QStringLiteral("Slave ID"),  // 1930
             QStringLiteral("Type"),  // 1931
             QStringLiteral("Address"),  // 1932
             QStringLiteral("NPoint"),  // 1933
             QStringLiteral("Poll Time"),  // 1934
             QStringLiteral("On Change"),  // 1935
             QStringLiteral("On CMD"),  // 1936
             QStringLiteral("Max Error"),  // 1937
             QStringLiteral("Position"),  // 1938
             QStringLiteral("Start Bit"),  // 1939
             QStringLiteral("Swap"),  // 1940
             QStringLiteral("Mnemonic"),  // 1941
             QStringLiteral("Topic"),  // 1942
             QStringLiteral("Enable or Disable the Modbus Rule"),  // 1943
             QStringLiteral("Insert the Slave ID of Modbus Slave"),  // 1944
             QStringLiteral("Select the Type of Modbus Data to Read"),  // 1945
             QStringLiteral("Insert the First Modbus Address to Read"),  // 1946
             QStringLiteral("Insert the Number of Coils, Inputs or Registers to Read"),  // 1947
             QStringLiteral("Insert the Time between two Requests. expressed in milliseconds"),  // 1948
             QStringLiteral("Insert the Number of Errors after which the Polling stops (0 = no limit)"),  // 1949
             QStringLiteral("Select the Position of First Byte in the Input Data"),  // 1950
             QStringLiteral("Select the First Bit in the Byte (Coil Status and Input Status only)"),  // 1951
             QStringLiteral("Enable or Disable the Swap of Data"),  // 1952
             QStringLiteral("Select the Topic to Publish"),  // 1953
             QStringLiteral("Insert the Description of Modbus Rule"),  // 1954
             QStringLiteral("Enable or Disable the Modbus Rule"),  // 1955
             QStringLiteral("Insert the Slave ID of Modbus Slave"),  // 1956
             QStringLiteral("Select the Type of Modbus Data to Write"),  // 1957
             QStringLiteral("Insert the First Modbus Address to Write"),  // 1958
             QStringLiteral("Insert the Number of Coils or Registers to Write"),  // 1959
             QStringLiteral("Insert the Time between two Requests. expressed in milliseconds"),  // 1960
             QStringLiteral("Enable or Disable the Write Request when the Data Change"),  // 1961
             QStringLiteral("Enable or Disable the Write Request on Command"),  // 1962
             QStringLiteral("Insert the Number of Errors after which the Polling stops (0 = no limit)"),  // 1963
             QStringLiteral("Select the Position of First Byte in the Output Data"),  // 1964
             QStringLiteral("Select the First Bit in the Byte (Coil Status only)"),  // 1965
             QStringLiteral("Enable or Disable the Swap of Data"),  // 1966
             QStringLiteral("Insert the Description of Modbus Rule"),  // 1967
             QStringLiteral("Error row "),  // 1968
             QStringLiteral("!! [Modbus Read] Slave ID must be between 1 and 247"),  // 1969
             QStringLiteral("!! [Modbus Read] Type must be Coil Status or Input Status or Holding Register or Input Register"),  // 1970
             QStringLiteral("!! [Modbus Read] Address must be between 0 and 65535"),  // 1971
             QStringLiteral("!! [Modbus Read] NPoint must be between 1 and "),  // 1972
             QStringLiteral("!! [Modbus Read] Poll Time must be between 1 and 100000000"),  // 1973
             QStringLiteral("!! [Modbus Read] Max Error must be between 0 and 100000000"),  // 1974
             QStringLiteral("!! [Modbus Read] Position must be between 0 and "),  // 1975
             QStringLiteral("!! [Modbus Read] Bit must be between 0 and 7"),  // 1976
             QStringLiteral("!! [Modbus Read] Too many bytes to save starting from the Position indicate"),  // 1977
             QStringLiteral(" "),  // 1978
             QStringLiteral("!! [Modbus Write] Slave ID must be between 1 and 247"),  // 1979
             QStringLiteral("!! [Modbus Write] Type must be Coil Status or Holding Register"),  // 1980
             QStringLiteral("!! [Modbus Write] Address must be between 0 and 65535"),  // 1981
             QStringLiteral("!! [Modbus Write] NPoint must be between 1 and "),  // 1982
             QStringLiteral("!! [Modbus Write] Poll Time must be between 0 and 100000000"),  // 1983
             QStringLiteral("!! [Modbus Write] Max Error must be between 0 and 100000000"),  // 1984
             QStringLiteral("!! [Modbus Write] Position must be between 0 and "),  // 1985
             QStringLiteral("!! [Modbus Write] Bit must be between 0 and 7"),  // 1986
             QStringLiteral("!! [Modbus Write] Too many bytes to read starting from the Position indicate"),  // 1987
             QStringLiteral("Are you sure to delete the Row number "),  // 1988
             QStringLiteral(" "),  // 1989
             QStringLiteral("SwapWord"),  // 1990
             QStringLiteral("SwapWord"),  // 1991
             QStringLiteral("Enable or Disable the Swap of Words"),  // 1992
             QStringLiteral("Enable or Disable the Swap of Words"),  // 1993
         }},
        {2000,
         {
             QStringLiteral("Modbus TCP Master Set Access"),  // 2000
             QStringLiteral("Set the Modbus TCP Master Rules"),  // 2001
             QStringLiteral("OK"),  // 2002
             QStringLiteral("Cancel"),  // 2003
             QStringLiteral("Delete Row"),  // 2004
             QStringLiteral("Insert Row"),  // 2005
             QStringLiteral("Modbus Read"),  // 2006
             QStringLiteral("Modbus Write"),  // 2007
             QStringLiteral("N"),  // 2008
             QStringLiteral("Enable"),  // 2009
             QStringLiteral("Slave IP Address"),  // 2010
             QStringLiteral("Port"),  // 2011
             QStringLiteral("Slave ID"),  // 2012
             QStringLiteral("Type"),  // 2013
             QStringLiteral("Address"),  // 2014
             QStringLiteral("NPoint"),  // 2015
             QStringLiteral("Poll Time"),  // 2016
             QStringLiteral("Max Error"),  // 2017
             QStringLiteral("Position"),  // 2018
             QStringLiteral("Start Bit"),  // 2019
             QStringLiteral("Swap"),  // 2020
             QStringLiteral("Mnemonic"),  // 2021
             QStringLiteral("N"),  // 2022
             QStringLiteral("Enable"),  // 2023
             QStringLiteral("Slave IP Address"),  // 2024
             QStringLiteral("Port"),  // 2025
             QStringLiteral("Slave ID"),  // 2026
             QStringLiteral("Type"),  // 2027
             QStringLiteral("Address"),  // 2028
             QStringLiteral("NPoint"),  // 2029
             QStringLiteral("Poll Time"),  // 2030
             QStringLiteral("On Change"),  // 2031
             QStringLiteral("On CMD"),  // 2032
             QStringLiteral("Max Error"),  // 2033
             QStringLiteral("Position"),  // 2034
             QStringLiteral("Start Bit"),  // 2035
             QStringLiteral("Swap"),  // 2036
             QStringLiteral("Mnemonic"),  // 2037
             QStringLiteral("Error row "),  // 2038
             QStringLiteral("!! [Modbus Read] Slave IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"),  // 2039
             QStringLiteral("!! [Modbus Read] Port must be between 0 and 65535"),  // 2040
             QStringLiteral("!! [Modbus Read] Slave ID must be between 1 and 247"),  // 2041
             QStringLiteral("!! [Modbus Read] Type must be Coil Status or Input Status or Holding Register or Input Register"),  // 2042
             QStringLiteral("!! [Modbus Read] Address must be between 0 and 65535"),  // 2043
             QStringLiteral("!! [Modbus Read] NPoint must be between 1 and "),  // 2044
             QStringLiteral(" "),  // 2045
             QStringLiteral("!! [Modbus Read] Max Error must be between 0 and 100000000"),  // 2046
             QStringLiteral("!! [Modbus Read] Position must be between 0 and "),  // 2047
             QStringLiteral("!! [Modbus Read] Bit must be between 0 and 7"),  // 2048
             QStringLiteral("!! [Modbus Read] Too many bytes to save starting from the Position indicate"),  // 2049
             QStringLiteral("!! [Modbus Write] Slave IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"),  // 2050
             QStringLiteral("!! [Modbus Write] Port must be between 0 and 65535"),  // 2051
             QStringLiteral("!! [Modbus Write] Slave ID must be between 1 and 247"),  // 2052
             QStringLiteral("!! [Modbus Write] Type must be Coil Status or Holding Register"),  // 2053
             QStringLiteral("!! [Modbus Write] Address must be between 0 and 65535"),  // 2054
             QStringLiteral("!! [Modbus Write] NPoint must be between 1 and "),  // 2055
             QStringLiteral("!! [Modbus Write] Poll Time must be between 0 and 100000000"),  // 2056
             QStringLiteral("!! [Modbus Write] Max Error must be between 0 and 100000000"),  // 2057
             QStringLiteral("!! [Modbus Write] Position must be between 0 and "),  // 2058
             QStringLiteral("!! [Modbus Write] Bit must be between 0 and 7"),  // 2059
             QStringLiteral("!! [Modbus Write] Too many bytes to read starting from the Position indicate"),  // 2060
             QStringLiteral("Are you sure to delete the Row number "),  // 2061
             QStringLiteral("Topic"),  // 2062
             QStringLiteral("Confirm and save the List of Modbus TCP Rules"),  // 2063
             QStringLiteral("Exit without save the List of Modbus TCP Rules"),  // 2064
             QStringLiteral("Delete the Selected Row in the table"),  // 2065
             QStringLiteral("Insert a Row in the Table"),  // 2066
             QStringLiteral("Copy all Fields of the Selected Row"),  // 2067
             QStringLiteral("Paste the Copied Fields in the Selected Row"),  // 2068
             QStringLiteral("Enable or Disable the Modbus Rule"),  // 2069
             QStringLiteral("Insert the IP Address of Modbus TCP Slave"),  // 2070
             QStringLiteral("Insert the TCP Port of Modbus TCP Slave"),  // 2071
             QStringLiteral("Insert the Slave ID of Modbus Slave"),  // 2072
             QStringLiteral("Select the Type of Modbus Data to Read"),  // 2073
             QStringLiteral("Insert the First Modbus Address to Read"),  // 2074
             QStringLiteral("Insert the Number of Coils, Inputs or Registers to Read"),  // 2075
             QStringLiteral("Insert the Time between two Requests. expressed in milliseconds"),  // 2076
             QStringLiteral("Insert the Number of Errors after which the Polling stops (0 = no limit)"),  // 2077
             QStringLiteral("Select the Position of First Byte in the Input Data"),  // 2078
             QStringLiteral("Select the First Bit in the Byte (Coil Status and Input Status only)"),  // 2079
             QStringLiteral("Enable or Disable the Swap of Data"),  // 2080
             QStringLiteral("Select the Topic to Publish"),  // 2081
             QStringLiteral("Insert the Description of Modbus Rule"),  // 2082
             QStringLiteral("Enable or Disable the Modbus Rule"),  // 2083
             QStringLiteral("Insert the IP Address of Modbus TCP Slave"),  // 2084
             QStringLiteral("Insert the TCP Port of Modbus TCP Slave"),  // 2085
             QStringLiteral("Insert the Slave ID of Modbus Slave"),  // 2086
             QStringLiteral("Select the Type of Modbus Data to Write"),  // 2087
             QStringLiteral("Insert the First Modbus Address to Write"),  // 2088
             QStringLiteral("Insert the Number of Coils or Registers to Write"),  // 2089
             QStringLiteral("Insert the Time between two Requests. expressed in milliseconds"),  // 2090
             QStringLiteral("Enable or Disable the Write Request when the Data Change"),  // 2091
             QStringLiteral("Enable or Disable the Write Request on Command"),  // 2092
             QStringLiteral("Insert the Number of Errors after which the Polling stops (0 = no limit)"),  // 2093
             QStringLiteral("Select the Position of First Byte in the Output Data"),  // 2094
             QStringLiteral("Select the First Bit in the Byte (Coil Status only)"),  // 2095
             QStringLiteral("Enable or Disable the Swap of Data"),  // 2096
             QStringLiteral("Insert the Description of Modbus Rule"),  // 2097
             QStringLiteral(" "),  // 2098
             QStringLiteral("!! [Modbus Read] Poll Time must be between 1 and 100000000"),  // 2099
             QStringLiteral("Swap Word"),  // 2100
             QStringLiteral("Swap Word"),  // 2101
             QStringLiteral("Enable or Disable the Swap of Words"),  // 2102
             QStringLiteral("Enable or Disable the Swap of Words"),  // 2103
         }},
    };
}
